#include "BareBrowserHost.h"

#include "Clock.h"
#include "DataExchange.h"
#include "resource.h"

BareBrowserHost::BareBrowserHost() : CDialogEx(IDD_LOGIN_PANEL) {}

BareBrowserHost::~BareBrowserHost() {
    if (m_hWnd != nullptr)
        DestroyWindow();
}

const EventSinkMap* BareBrowserHost::GetThisEventSinkMap() {
    static const EventSinkEntry entries[] = {
        eventsink::On<IDC_BROWSER, 250, &BareBrowserHost::OnBeforeNavigate2>(),
    };
    static const EventSinkMap map = MakeEventSinkMap(&CDialogEx::GetThisEventSinkMap, entries);
    return &map;
}

void BareBrowserHost::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_BROWSER, m_browser);
}

void BareBrowserHost::OnBeforeNavigate2(IDispatch*, VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT*,
                                        VARIANT_BOOL*) {
    m_lastBeforeNavigateMs = NowMs();
}
