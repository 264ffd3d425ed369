#include "Dialog.h"
#include "MessageMap.h"
#include "OleControlContainer.h"
#include "OleControlSite.h"
#include "ThreadState.h"
#include "WinApp.h"

namespace {
// Everything is handled through the subclassed window procedure; the dialog
// procedure only lets the dialog manager do its default work.
INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}
}  // namespace

const DLGTEMPLATE* AfxLoadDialogTemplate(UINT id) {
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC res = ::FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    if (res == nullptr)
        return nullptr;
    HGLOBAL data = ::LoadResource(module, res);
    return data ? static_cast<const DLGTEMPLATE*>(::LockResource(data)) : nullptr;
}

CDialog::~CDialog() {
    if (m_hWnd != nullptr)
        ::DestroyWindow(m_hWnd);
}

const MessageMap* CDialog::GetThisMessageMap() {
    static const MessageMapEntry entries[] = {
        msgmap::Message<WM_INITDIALOG, &CDialog::HandleInitDialog>(),
        msgmap::Command<IDOK, &CDialog::OnOK>(),
        msgmap::Command<IDCANCEL, &CDialog::OnCancel>(),
    };
    static const MessageMap map = MakeMessageMap(&CWnd::GetThisMessageMap, entries);
    return &map;
}

const MessageMap* CDialogEx::GetThisMessageMap() {
    static const MessageMap map{&CDialog::GetThisMessageMap, nullptr, 0};
    return &map;
}

BOOL CDialog::CreateFromTemplate(const DLGTEMPLATE* tmpl, HWND owner) {
    std::vector<BYTE> stripped;
    m_oleItems.clear();
    if (COccManager* manager = AfxGetOccManager(); manager && manager->SplitDialogTemplate(tmpl, &stripped, &m_oleItems))
        tmpl = reinterpret_cast<const DLGTEMPLATE*>(stripped.data());
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamW(AfxGetResourceHandle(), tmpl, owner, AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    return hWnd != nullptr && m_hWnd == hWnd;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    m_nIDTemplate = templateId;
    if (parent == nullptr)
        parent = AfxGetMainWnd();
    m_pParentWnd = parent;
    const DLGTEMPLATE* tmpl = AfxLoadDialogTemplate(templateId);
    return tmpl != nullptr && CreateFromTemplate(tmpl, parent ? parent->m_hWnd : nullptr);
}

INT_PTR CDialog::DoModal() {
    const DLGTEMPLATE* tmpl = AfxLoadDialogTemplate(m_nIDTemplate);
    if (tmpl == nullptr)
        return -1;

    HWND top = nullptr;
    HWND owner = GetSafeOwner(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr, &top);
    const bool reenableTop = top != nullptr && top != owner && ::IsWindowEnabled(top);
    if (reenableTop)
        ::EnableWindow(top, FALSE);
    const bool reenableOwner = owner != nullptr && ::IsWindowEnabled(owner);
    if (reenableOwner)
        ::EnableWindow(owner, FALSE);

    m_nModalResult = -1;
    m_nFlags |= kContinueModal;
    if (CreateFromTemplate(tmpl, owner) && ContinueModal()) {
        if (!(GetStyle() & WS_VISIBLE))
            ShowWindow(SW_SHOWNORMAL);
        RunModalLoop();
    }
    m_nFlags &= ~kContinueModal;

    // Owners first, so that activation can go back to them.
    if (reenableOwner && ::IsWindow(owner))
        ::EnableWindow(owner, TRUE);
    if (reenableTop && ::IsWindow(top))
        ::EnableWindow(top, TRUE);
    if (m_hWnd != nullptr) {
        const bool wasActive = ::GetActiveWindow() == m_hWnd;
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        if (wasActive && owner != nullptr && ::IsWindow(owner))
            ::SetActiveWindow(owner);
        ::DestroyWindow(m_hWnd);
    }
    return m_nModalResult;
}

void CDialog::EndDialog(int result) {
    m_nModalResult = result;
    if (m_nFlags & (kContinueModal | kInModalLoop))
        EndModalLoop(result);
    else if (m_hWnd != nullptr)
        ::EndDialog(m_hWnd, result);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
    if (!m_oleItems.empty()) {
        std::vector<OleDialogItem> items;
        items.swap(m_oleItems);
        AfxGetOccManager()->CreateDlgControls(this, m_nIDTemplate, items);
    }
    return OnInitDialog();
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST || m_hWnd == nullptr)
        return FALSE;
    // Keys for a hosted control are the control's: its accelerators first,
    // then the control's own window, never the dialog's navigation.
    if (m_pCtrlCont != nullptr)
        if (COleControlSite* site = m_pCtrlCont->SiteForWindow(msg->hwnd))
            return site->TranslateAccelerator(msg);
    return ::IsDialogMessageW(m_hWnd, msg);
}

BOOL CDialog::OnCmdMsg(UINT id, UINT code) {
    if (CWnd::OnCmdMsg(id, code))
        return TRUE;
    // A command no window takes goes to the application last.
    if (code != 0 || id == 0 || id >= 0xF000)
        return FALSE;
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(id, code);
}
