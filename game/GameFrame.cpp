// The game window's frame: its initialisation, the title bar, the three
// display modes and their geometry, painting and the window's own mouse
// handling.
#include "GameDialog.h"

#include "GameGeometry.h"
#include "WinApp.h"
#include "resource.h"

namespace geometry = game_geometry;

BOOL CGameDialog::OnInitDialog() {
    CDialogEx::OnInitDialog();
    SetWindowText(L"Vesmera");
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    // The template carries both styles. While the window is made it is a
    // tool window, which has no taskbar button; once made it is an ordinary
    // window with a button of its own, shown when the window is.
    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
    m_bmpTitle.LoadBitmap(IDB_TITLE_BAR);
    PlaceMax();

    m_pToolTip = new CToolTipCtrl;
    m_pToolTip->Create(this);
    InitTitleBar();

    m_hotKeyBoss.Register(m_hWnd, VK_F10, "F10 (the boss key)");
    m_hotKeyFull.Register(m_hWnd, VK_F11, "F11 (full screen)");
    ModifyStyleEx(WS_EX_TOOLWINDOW, WS_EX_APPWINDOW);
    AddTrayIcon();
    m_btnMax.ShowWindow(SW_HIDE);
    // What applying MODE_MAX would make of it, so the first showing need
    // not apply it again.
    RememberAppliedMode();
    return TRUE;
}

std::array<CGameDialog::TitleBarButton, 9> CGameDialog::TitleBarButtons() {
    return {{
        {&m_btnClose, IDB_PNG_CLOSE, nullptr},   {&m_btnRestore, IDB_PNG_RESTORE, L"还原"},
        {&m_btnMax, IDB_PNG_MAX, L"最大化"},     {&m_btnMin, IDB_PNG_MIN, L"最小化"},
        {&m_btnFull, IDB_PNG_FULL, L"按F11进入/退出全屏"}, {&m_btnBoss, IDB_PNG_BOSS, nullptr},
        {&m_btnRefresh, IDB_PNG_REFRESH, nullptr}, {&m_btnServer, IDB_PNG_SERVER, nullptr},
        {&m_btnClean, IDB_PNG_CLEAN, nullptr},
    }};
}

void CGameDialog::InitTitleBar() {
    for (const TitleBarButton& b : TitleBarButtons()) {
        b.button->StartGdiPlus();
        b.button->SetImage(b.image);
        if (b.tip != nullptr && m_pToolTip->m_hWnd != nullptr)
            m_pToolTip->AddTool(b.button, b.tip);
    }
    LayoutTitleBar();

    if (HWND logo = ::GetDlgItem(m_hWnd, IDC_LOGO)) {
        m_bmpLogo.LoadBitmap(IDB_LOGO);
        ::SetWindowLongW(logo, GWL_STYLE, ::GetWindowLongW(logo, GWL_STYLE) | SS_BITMAP | SS_CENTERIMAGE);
        // A static never deletes its image: the logo goes with this object.
        ::SendMessageW(logo, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_bmpLogo.GetSafeHandle()));
        ::MoveWindow(logo, 0, 0, geometry::kLogoWidth, kTitleHeight, TRUE);
    }
}

void CGameDialog::LayoutTitleBar() {
    CRect client;
    GetClientRect(&client);
    auto w = [](const CPngButton& b) { return static_cast<int>(b.m_nWidth); };
    const geometry::TitleBarRects r =
        geometry::TitleBar(client.Width(), {w(m_btnClose), w(m_btnRestore), w(m_btnMin), w(m_btnFull), w(m_btnBoss),
                                            w(m_btnClean), w(m_btnRefresh), w(m_btnServer)});
    m_btnClose.MoveWindow(r.close, TRUE);
    m_btnRestore.MoveWindow(r.restore, TRUE);
    m_btnMax.MoveWindow(r.restore, TRUE);  // one place, one of them visible
    m_btnMin.MoveWindow(r.min, TRUE);
    m_btnFull.MoveWindow(r.full, TRUE);
    m_btnBoss.MoveWindow(r.boss, TRUE);
    m_btnClean.MoveWindow(r.clean, TRUE);
    m_btnRefresh.MoveWindow(r.refresh, TRUE);
    m_btnServer.MoveWindow(r.server, TRUE);
    // Only the band is laid out anew; what lies below it is the browser's,
    // or new area the system repaints anyway.
    const CRect band(0, 0, client.Width(), kTitleHeight);
    InvalidateRect(&band, TRUE);
}

void CGameDialog::ShowTitleControls(int cmdShow) {
    if (HWND logo = ::GetDlgItem(m_hWnd, IDC_LOGO))
        ::ShowWindow(logo, cmdShow);
    for (CPngButton* b : {&m_btnClose, &m_btnMin, &m_btnFull, &m_btnBoss, &m_btnRefresh, &m_btnServer, &m_btnClean})
        b->ShowWindow(cmdShow);
    if (cmdShow == SW_SHOW) {
        const bool normal = m_nDisplayMode == MODE_NORMAL;
        m_btnMax.ShowWindow(normal ? SW_SHOW : SW_HIDE);
        m_btnRestore.ShowWindow(normal ? SW_HIDE : SW_SHOW);
    } else {
        m_btnRestore.ShowWindow(cmdShow);
        m_btnMax.ShowWindow(cmdShow);
    }
}

void CGameDialog::PlaceFull() {
    CRect desktop;
    ::GetClientRect(::GetDesktopWindow(), &desktop);
    const CRect window = geometry::FullScreenWindow(desktop);
    MoveWindow(window, TRUE);
    m_browser.MoveWindow(geometry::BrowserRect(window, false), TRUE);
}

void CGameDialog::PlaceMax() {
    CRect work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const CRect window = geometry::WorkAreaWindow(work);
    MoveWindow(window, TRUE);
    m_browser.MoveWindow(geometry::BrowserRect(window, true), TRUE);
}

void CGameDialog::PlaceNormal() {
    // Centred as the framework centres a window over its owner.
    CRect centreOn, within;
    GetCentringRects(nullptr, &centreOn, &within);
    const CRect window = geometry::NormalWindow(centreOn, within);
    SetWindowPos(nullptr, window.left, window.top, window.Width(), window.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    m_browser.MoveWindow(geometry::BrowserRect(window, true), TRUE);
}

void CGameDialog::RememberAppliedMode() {
    m_appliedMode = m_nDisplayMode;
    GetWindowRect(&m_appliedWindow);
}

void CGameDialog::ApplyDisplayMode() {
    switch (m_nDisplayMode) {
    case MODE_FULL:
        ShowTitleControls(SW_HIDE);
        PlaceFull();
        break;
    case MODE_MAX:
        ShowTitleControls(SW_SHOW);
        PlaceMax();
        LayoutTitleBar();
        break;
    case MODE_NORMAL:
        ShowTitleControls(SW_SHOW);
        PlaceNormal();
        LayoutTitleBar();
        break;
    }
    RememberAppliedMode();
}

void CGameDialog::EnterFullMode() {
    m_nDisplayMode = MODE_FULL;
    ApplyDisplayMode();  // title controls hidden, the screen filled
}

void CGameDialog::ToggleMaxNormal() {
    if (m_nDisplayMode == MODE_MAX)
        m_nDisplayMode = MODE_NORMAL;
    else if (m_nDisplayMode == MODE_NORMAL)
        m_nDisplayMode = MODE_MAX;
    ApplyDisplayMode();
}

void CGameDialog::ToggleFullScreen() {
    if (!IsWindowVisible())
        return;
    m_nDisplayMode = m_nDisplayMode == MODE_FULL ? MODE_MAX : MODE_FULL;
    ApplyDisplayMode();
}

void CGameDialog::OnPaint() {
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        CRect client;
        GetClientRect(&client);
        dc.DrawIcon((client.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2,
                    (client.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2, m_hIcon);
        return;
    }
    if (m_nDisplayMode != MODE_FULL) {
        CPaintDC dc(this);
        // Without a title bitmap the band is left as it is.
        if (m_bmpTitle.GetSafeHandle() != nullptr) {
            CDC memory;
            memory.CreateCompatibleDC(dc);
            const CSelectObject selected(memory, m_bmpTitle);
            BITMAP info{};
            m_bmpTitle.GetBitmap(&info);
            CRect client;
            GetClientRect(&client);
            dc.StretchBlt(0, 0, client.Width(), kTitleHeight, memory, 0, 0, info.bmWidth, kTitleHeight, SRCCOPY);
        }
    }
    Default();
}

void CGameDialog::OnSize(UINT type, int, int) {
    Default();
    // A minimised window keeps the geometry it had. Shown again at the
    // place and in the mode last applied, there is nothing to apply: the
    // mode would only be laid out and painted once more.
    if (!IsWindowVisible() || type == SIZE_MINIMIZED)
        return;
    CRect window;
    GetWindowRect(&window);
    if (m_appliedMode == m_nDisplayMode && window == m_appliedWindow)
        return;
    ApplyDisplayMode();
}

void CGameDialog::OnLButtonDown(UINT, CPoint point) {
    if (m_nDisplayMode == MODE_NORMAL)
        PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
    Default();
}

void CGameDialog::OnLButtonDblClk(UINT, CPoint) {
    ToggleMaxNormal();
    Default();
}

void CGameDialog::OnNavigateComplete2(IDispatch*, VARIANT*) {
    if (!m_browser.IsWindowVisible())
        m_browser.ShowWindow(SW_SHOW);
    FocusPage();
}
