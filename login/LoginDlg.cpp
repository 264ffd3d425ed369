#include "LoginDlg.h"
#include "Gdi.h"
#include "LoginActiveDlg.h"
#include "MessageMap.h"
#include "WinApp.h"
#include "resource.h"

CLoginDlg::CLoginDlg(CWnd* /*parent: the backdrop has none*/)
    : CDialogEx(IDD_LOGIN_DIALOG, nullptr),
      m_hIcon(::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_APP))) {}

CLoginDlg::~CLoginDlg() = default;

const MessageMap* CLoginDlg::GetThisMessageMap() {
    static const MessageMapEntry entries[] = {
        msgmap::Create<&CLoginDlg::OnCreate>(),
        msgmap::Paint<&CLoginDlg::OnPaint>(),
        msgmap::QueryDragIcon<&CLoginDlg::OnQueryDragIcon>(),
        msgmap::NcHitTest<&CLoginDlg::OnNcHitTest>(),
        msgmap::Move<&CLoginDlg::OnMove>(),
        msgmap::ShowWindow<&CLoginDlg::OnShowWindow>(),
        msgmap::Size<&CLoginDlg::OnSize>(),
        msgmap::Message<WM_MAKE_LOGIN_PANEL, &CLoginDlg::OnMakeLoginPanel>(),
        msgmap::Message<WM_WINDOWPOSCHANGED, &CLoginDlg::OnWindowPosChanged>(),
        msgmap::Timer<&CLoginDlg::OnTimer>(),
        msgmap::Close<&CLoginDlg::OnClose>(),
    };
    static const MessageMap map = MakeMessageMap(&CDialogEx::GetThisMessageMap, entries);
    return &map;
}

BOOL CLoginDlg::OnInitDialog() {
    CDialogEx::OnInitDialog();
    SetWindowText(L"Vesmera");
    m_backdrop.m_hWndTarget = m_hWnd;
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    // The backdrop goes on the screen first. The panel brings the process's
    // first browser control, whose engine loads its libraries then; it is
    // made once the backdrop shows, from the first message of the loop.
    PostMessage(WM_MAKE_LOGIN_PANEL);
    ModifyStyle(WS_CAPTION, 0);

    // Without its image the backdrop stays an ordinary window.
    if (!m_backdrop.m_png.Load(MAKEINTRESOURCEW(IDB_PNG_BACKDROP), AfxGetResourceHandle()))
        return TRUE;
    const int width = static_cast<int>(m_backdrop.m_png.GetWidth());
    const int height = static_cast<int>(m_backdrop.m_png.GetHeight());
    MoveWindow(0, 0, width, height, TRUE);
    CenterWindow();
    m_backdrop.Present();
    return TRUE;
}

LRESULT CLoginDlg::OnMakeLoginPanel(WPARAM, LPARAM) {
    if (m_pPanel != nullptr || !::IsWindow(m_hWnd))
        return 0;
    // The panel starts loading the login page inside its creation.
    m_pPanel = std::make_unique<CLoginActiveDlg>(this);
    m_pPanel->Create(IDD_LOGIN_PANEL, this);
    // A backdrop minimised or hidden meanwhile gets its panel when it comes
    // back (OnSize, OnShowWindow); until then the panel (visible by its
    // template) stays out of sight.
    if (IsWindowVisible() && !IsIconic())
        ShowPanelOverBackdrop(SW_SHOWNORMAL);
    else
        m_pPanel->ShowWindow(SW_HIDE);
    return 0;
}

void CLoginDlg::ShowPanelOverBackdrop(int cmdShow) {
    if (m_backdrop.m_png.m_pImage) {
        CRect rect;
        GetWindowRect(&rect);
        m_pPanel->MoveWindow(rect, TRUE);  // exactly over the backdrop
    }
    m_pPanel->ShowWindow(cmdShow);
}

void CLoginDlg::OnSize(UINT type, int, int) {
    Default();
    // Restored before its panel was there to be hidden and shown with it.
    if (type != SIZE_MINIMIZED && m_pPanel != nullptr && m_pPanel->m_hWnd != nullptr && IsWindowVisible() &&
        !m_pPanel->IsWindowVisible())
        ShowPanelOverBackdrop(SW_SHOWNA);
}

int CLoginDlg::OnCreate(LPCREATESTRUCTW) {
    return Default() == -1 ? -1 : 0;
}

void CLoginDlg::OnPaint() {
    // Validates in any case; only the minimised window is drawn, otherwise
    // the look is the layered image.
    CPaintDC dc(this);
    if (!IsIconic())
        return;
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int cx = ::GetSystemMetrics(SM_CXICON);
    const int cy = ::GetSystemMetrics(SM_CYICON);
    CRect rect;
    GetClientRect(&rect);
    dc.DrawIcon((rect.Width() - cx + 1) / 2, (rect.Height() - cy + 1) / 2, m_hIcon);
}

HCURSOR CLoginDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}

LRESULT CLoginDlg::OnNcHitTest(CPoint) {
    m_bBackdropLeads = 1;
    // Dragged from anywhere in its client area.
    const LRESULT hit = Default();
    return hit == HTCLIENT ? HTCAPTION : hit;
}

void CLoginDlg::OnMove(int, int) {
    if (!::IsWindow(m_hWnd) || !m_bBackdropLeads || m_pPanel == nullptr || m_pPanel->m_hWnd == nullptr)
        return;
    // The backdrop leads: the panel takes its top-left corner.
    CRect backdrop, panel;
    GetWindowRect(&backdrop);
    m_pPanel->GetWindowRect(&panel);
    m_pPanel->MoveWindow(backdrop.left, backdrop.top, panel.Width(), panel.Height(), TRUE);
}

void CLoginDlg::OnShowWindow(BOOL show, UINT) {
    Default();
    if (m_pPanel == nullptr || m_pPanel->m_hWnd == nullptr)
        return;
    // A minimised backdrop gets its panel back when it is restored (OnSize).
    if (show && !IsIconic())
        ShowPanelOverBackdrop(SW_SHOWNORMAL);  // over it even if made while it was away
    else if (!show)
        m_pPanel->ShowWindow(SW_HIDE);
}

LRESULT CLoginDlg::OnWindowPosChanged(WPARAM, LPARAM lParam) {
    const LRESULT result = Default();
    // Some window systems (X without a window manager, under Wine) stack a
    // window above its owned windows when it is first shown; showing the
    // panel again puts it back on top, as it is in the window order.
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
    if ((pos->flags & SWP_SHOWWINDOW) && m_pPanel != nullptr && m_pPanel->IsWindowVisible()) {
        ::ShowWindow(m_pPanel->m_hWnd, SW_HIDE);
        ::ShowWindow(m_pPanel->m_hWnd, SW_SHOWNA);
    }
    return result;
}

void CLoginDlg::OnClose() {
    EndDialog(IDOK);
}
