#include "LoginDlg.h"
#include "Gdi.h"
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
    // The login page panel is created and shown here.
    ModifyStyle(WS_CAPTION, 0);

    // Without its image the backdrop stays an ordinary window.
    if (!m_backdrop.m_png.Load(MAKEINTRESOURCEW(IDB_PNG_BACKDROP), AfxGetResourceHandle()))
        return TRUE;
    const int width = static_cast<int>(m_backdrop.m_png.GetWidth());
    const int height = static_cast<int>(m_backdrop.m_png.GetHeight());
    MoveWindow(0, 0, width, height, TRUE);
    CenterWindow();
    // The panel is laid over the backdrop here.
    m_backdrop.Present();
    return TRUE;
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

void CLoginDlg::OnClose() {
    EndDialog(IDOK);
}
