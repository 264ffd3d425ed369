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
        msgmap::Timer<&CLoginDlg::OnTimer>(),
        msgmap::Close<&CLoginDlg::OnClose>(),
    };
    static const MessageMap map = MakeMessageMap(&CDialogEx::GetThisMessageMap, entries);
    return &map;
}

BOOL CLoginDlg::OnInitDialog() {
    CDialogEx::OnInitDialog();
    SetWindowText(L"Vesmera");
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    ModifyStyle(WS_CAPTION, 0);
    return TRUE;
}

int CLoginDlg::OnCreate(LPCREATESTRUCTW) {
    return Default() == -1 ? -1 : 0;
}

void CLoginDlg::OnPaint() {
    if (!IsIconic()) {
        // The window's look is its layered image; validate and paint nothing.
        PAINTSTRUCT ps;
        ::BeginPaint(m_hWnd, &ps);
        ::EndPaint(m_hWnd, &ps);
        return;
    }
    CPaintDC dc(this);
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

void CLoginDlg::OnClose() {
    EndDialog(IDOK);
}
