#pragma once
// The hand-over's baseline: the login panel's template hosting the
// platform's browser and nothing of the launcher's, noting when
// BeforeNavigate2 comes and letting every navigation go on.
#include "Dialog.h"
#include "WebBrowser2.h"

class BareBrowserHost : public CDialogEx {
public:
    BareBrowserHost();
    ~BareBrowserHost() override;

    CWebBrowser2 m_browser;
    double m_lastBeforeNavigateMs = 0;  // NowMs() when the event last came

    static const EventSinkMap* GetThisEventSinkMap();
    const EventSinkMap* GetEventSinkMap() const override { return GetThisEventSinkMap(); }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnBeforeNavigate2(IDispatch*, VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT_BOOL*);
};
