#include "LoginActiveDlg.h"

#include <exdispid.h>
#include <cwchar>
#include <string>

#include "ConfirmQuit.h"
#include "DataExchange.h"
#include "GameHandoff.h"
#include "LoginDlg.h"
#include "LoginHost.h"
#include "MessageMap.h"
#include "resource.h"

namespace {
constexpr wchar_t kGameMarker[] = L"client=1";
}  // namespace

CLoginActiveDlg::CLoginActiveDlg(CLoginDlg* backdrop) : m_pBackdrop(backdrop) {}

CLoginActiveDlg::~CLoginActiveDlg() {
    if (m_hWnd != nullptr)
        DestroyWindow();
}

const MessageMap* CLoginActiveDlg::GetThisMessageMap() {
    static const MessageMapEntry entries[] = {
        msgmap::Move<&CLoginActiveDlg::OnMove>(),
        msgmap::NcHitTest<&CLoginActiveDlg::OnNcHitTest>(),
        msgmap::CtlColor<&CLoginActiveDlg::OnCtlColor>(),
        msgmap::Command<IDC_LOGIN_MIN, &CLoginActiveDlg::OnMinimize>(),
        msgmap::Command<IDC_LOGIN_CLOSE, &CLoginActiveDlg::OnQuit>(),
        msgmap::Message<WM_SYSCOMMAND, &CLoginActiveDlg::OnSysCommand>(),
    };
    static const MessageMap map = MakeMessageMap(&CDialogEx::GetThisMessageMap, entries);
    return &map;
}

const EventSinkMap* CLoginActiveDlg::GetThisEventSinkMap() {
    static const EventSinkEntry entries[] = {
        eventsink::On<IDC_BROWSER, DISPID_DOCUMENTCOMPLETE, &CLoginActiveDlg::OnDocumentComplete>(),
        eventsink::On<IDC_BROWSER, DISPID_NAVIGATECOMPLETE2, &CLoginActiveDlg::OnNavigateComplete2>(),
        eventsink::On<IDC_BROWSER, DISPID_BEFORENAVIGATE2, &CLoginActiveDlg::OnBeforeNavigate2>(),
    };
    static const EventSinkMap map = MakeEventSinkMap(&CDialogEx::GetThisEventSinkMap, entries);
    return &map;
}

void CLoginActiveDlg::DoDataExchange(CDataExchange* dx) {
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, IDC_BROWSER, m_browser);
    DDX_Control(dx, IDC_LOGIN_MIN, m_btnLoginMin);
    DDX_Control(dx, IDC_LOGIN_CLOSE, m_btnLoginClose);
}

BOOL CLoginActiveDlg::OnInitDialog() {
    CDialogEx::OnInitDialog();
    m_layered.m_hWndTarget = m_hWnd;
    m_brKey.CreateSolidBrush(m_crKey);
    ApplyLayeredColorKey(m_layered.m_hWndTarget, kKeyColour, 255);

    m_browser.MoveWindow(349, 175, 640, 449, TRUE);
    const std::wstring loginPage = std::wstring(L"http://") + kLoginHost + L"/vsm/login/";
    m_browser.Navigate(loginPage.c_str());
    m_browser.ShowWindow(SW_HIDE);  // until the page has arrived

    m_btnLoginMin.StartGdiPlus();
    m_btnLoginClose.StartGdiPlus();
    m_btnLoginMin.SetImage(IDB_PNG_LOGIN_MIN);
    m_btnLoginClose.SetImage(IDB_PNG_LOGIN_CLOSE);
    m_btnLoginMin.MoveWindow(998, 196, 27, 27, TRUE);
    m_btnLoginClose.MoveWindow(1029, 192, 36, 35, TRUE);
    return TRUE;
}

bool CLoginActiveDlg::IsGameAddress(const wchar_t* url) {
    return url != nullptr && std::wcsstr(url, kGameMarker) != nullptr;
}

void CLoginActiveDlg::OnMove(int, int) {
    if (!::IsWindow(m_hWnd) || m_pBackdrop == nullptr || m_pBackdrop->m_bBackdropLeads)
        return;
    // The panel leads: the backdrop takes its top-left corner.
    CRect backdrop, panel;
    m_pBackdrop->GetWindowRect(&backdrop);
    GetWindowRect(&panel);
    m_pBackdrop->MoveWindow(panel.left, panel.top, backdrop.Width(), backdrop.Height(), TRUE);
}

LRESULT CLoginActiveDlg::OnNcHitTest(CPoint) {
    if (m_pBackdrop != nullptr)
        m_pBackdrop->m_bBackdropLeads = 0;
    return Default() == HTCLIENT ? HTCAPTION : HTNOWHERE;
}

HBRUSH CLoginActiveDlg::OnCtlColor(CDC*, CWnd*, UINT) {
    return m_brKey;
}

void CLoginActiveDlg::OnMinimize() {
    // Restored, the window gives the focus back where it was: to the page,
    // not to this button, which a key would then press again.
    FocusPage();
    if (m_pBackdrop != nullptr)
        m_pBackdrop->ShowWindow(SW_MINIMIZE);
}

void CLoginActiveDlg::OnQuit() {
    ConfirmQuit();
    FocusPage();
}

LRESULT CLoginActiveDlg::OnSysCommand(WPARAM command, LPARAM) {
    // Alt+F4 while the player is in the login page closes the login window
    // as a whole, as it does on the backdrop; the panel never closes alone.
    if ((command & 0xFFF0) == SC_CLOSE && m_pBackdrop != nullptr) {
        m_pBackdrop->PostMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    }
    return Default();
}

void CLoginActiveDlg::FocusPage() {
    const HWND active = ::GetActiveWindow();
    if (!m_browser.IsWindowVisible() || (active != m_hWnd && (m_pBackdrop == nullptr || active != m_pBackdrop->m_hWnd)))
        return;
    // Also from a button: the dialog manager gives the focus to the first
    // button whenever it has none to give back.
    const HWND focus = ::GetFocus();
    if (focus != m_browser.m_hWnd && !::IsChild(m_browser.m_hWnd, focus))
        m_browser.SetFocus();
}

void CLoginActiveDlg::OnNavigateComplete2(IDispatch*, VARIANT*) {
    if (!m_browser.IsWindowVisible())
        m_browser.ShowWindow(SW_SHOW);
    // At start, and back from the game: what the player types goes to the
    // page's field at once.
    FocusPage();
}

void CLoginActiveDlg::OnBeforeNavigate2(IDispatch*, VARIANT* url, VARIANT*, VARIANT*, VARIANT*, VARIANT*,
                                        VARIANT_BOOL* cancel) {
    const wchar_t* address = V_VT(url) == VT_BSTR ? V_BSTR(url) : nullptr;
    if (!IsGameAddress(address))
        return;
    *cancel = VARIANT_TRUE;
    OpenGame(address);
}
