#pragma once
// Dialogs from DIALOGEX templates: modal (own nestable loop) and modeless.
#include "OccManager.h"
#include "Wnd.h"
#include <vector>

class CDialog : public CWnd {
public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}
    ~CDialog() override;

    // Modeless: a null parent makes the application's main window the owner.
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    // Modal: runs until EndDialog or a quit message. Without a parent the
    // owner is the last active popup of the main window; it and the main
    // window are disabled meanwhile. Returns the EndDialog result, -1 when
    // the dialog could not be created or a quit message ended the run.
    virtual INT_PTR DoModal();
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCmdMsg(UINT id, UINT code) override;

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    // Creates the window from a template; overridable so that control
    // containment can take its controls out first.
    virtual BOOL CreateFromTemplate(const DLGTEMPLATE* tmpl, HWND owner);
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;

private:
    std::vector<OleDialogItem> m_oleItems;  // created once the window exists
};

// The dialog class the launcher's windows derive from; it adds nothing to
// CDialog as long as no background colour or image is set.
class CDialogEx : public CDialog {
public:
    using CDialog::CDialog;
    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
};

// The template resource `id` of the resource module, or null.
const DLGTEMPLATE* AfxLoadDialogTemplate(UINT id);
