#include "ConfirmDlg.h"
#include "DataExchange.h"
#include "MessageMap.h"
#include "SkinnedStatic.h"
#include "resource.h"

CConfirmDlg::CConfirmDlg(CWnd* /*parent: the framework picks the owner*/) : CDialogEx(IDD_CONFIRM_DIALOG, nullptr) {}

CConfirmDlg::~CConfirmDlg() {
    if (m_hWnd != nullptr)
        DestroyWindow();
}

const MessageMap* CConfirmDlg::GetThisMessageMap() {
    static const MessageMapEntry entries[] = {
        msgmap::Command<IDC_CONFIRM_OK, &CConfirmDlg::OnConfirm>(),
        msgmap::Command<IDC_CONFIRM_CANCEL, &CConfirmDlg::OnDecline>(),
        msgmap::Paint<&CConfirmDlg::OnPaint>(),
        msgmap::Close<&CConfirmDlg::OnClose>(),
        msgmap::CtlColor<&CConfirmDlg::OnCtlColor>(),
    };
    static const MessageMap map = MakeMessageMap(&CDialogEx::GetThisMessageMap, entries);
    return &map;
}

void CConfirmDlg::DoDataExchange(CDataExchange* dx) {
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, IDC_CONFIRM_OK, m_btnOK);
    DDX_Control(dx, IDC_CONFIRM_CANCEL, m_btnCancel);
    DDX_Control(dx, IDC_CONFIRM_TITLE, m_stTitle);
    DDX_Control(dx, IDC_CONFIRM_TEXT, m_stText);
}

BOOL CConfirmDlg::OnInitDialog() {
    CDialogEx::OnInitDialog();
    m_bmpBack.LoadBitmap(IDB_CONFIRM_BACK);
    m_btnOK.StartGdiPlus();
    m_btnOK.SetImage(IDB_PNG_CONFIRM_OK);
    m_btnCancel.StartGdiPlus();
    m_btnCancel.SetImage(IDB_PNG_CONFIRM_CANCEL);

    MoveWindow(0, 0, 256, 110, TRUE);
    CenterWindow();
    // Wider than their images: the dialog's background shows in the rest,
    // and the decline button (set last) lies above the confirm button.
    m_btnOK.MoveWindow(40, 72, 256, 26, TRUE);
    m_btnCancel.MoveWindow(140, 72, 256, 26, TRUE);

    m_fontTitle.CreatePointFont(120, L"Arial");
    m_stTitle.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fontTitle.GetSafeHandle()), TRUE);
    if (m_nMode == 0) {
        m_stTitle.SetWindowText(L"关闭游戏");
        m_stText.SetWindowText(L"确定要退出游戏吗?");
    } else if (m_nMode == 1) {
        m_stTitle.SetWindowText(L"选服");
        m_stText.SetWindowText(L"是否退出当前游戏，重新选择新服务器?");
    }
    m_stTitle.MoveWindow(79, 10, 100, 30, TRUE);
    m_stText.MoveWindow(28, 34, 200, 66, TRUE);
    return TRUE;
}

void CConfirmDlg::OnPaint() {
    PaintStretchedBackground(this, m_bmpBack);
    Default();
}

HBRUSH CConfirmDlg::OnCtlColor(CDC* dc, CWnd* control, UINT) {
    HBRUSH brush = reinterpret_cast<HBRUSH>(Default());
    const int id = control ? control->GetDlgCtrlID() : 0;
    if (id != IDC_CONFIRM_TITLE && id != IDC_CONFIRM_TEXT)
        return brush;
    return PaintStaticOverDialog(this, dc, control, RGB(255, 255, 255));
}
