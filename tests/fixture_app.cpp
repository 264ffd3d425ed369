// A program on the framework whose only run is a modal dialog that opens a
// second modal dialog, inside which the quit message 16 is posted. Its exit
// code shows what the framework's entry makes of that.
#include "Dialog.h"
#include "WinApp.h"
#include "support/Script.h"
#include "test_ids.h"

namespace {

class CScriptedDlg : public CDialog {
public:
    CScriptedDlg(Script& script, CScriptedDlg* inner) : CDialog(IDD_TEST_PLAIN), m_script(script), m_inner(inner) {}

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (m_inner != nullptr)
            m_script.Then([this] { m_inner->DoModal(); });
        else
            ::PostQuitMessage(16);
        return TRUE;
    }

private:
    Script& m_script;
    CScriptedDlg* m_inner;
};

class CFixtureApp : public CWinApp {
public:
    BOOL InitInstance() override {
        CWinApp::InitInstance();
        Script script;
        CScriptedDlg inner(script, nullptr);
        CScriptedDlg outer(script, &inner);
        m_pMainWnd = &outer;
        outer.DoModal();
        return FALSE;
    }
} fixtureApp;

}  // namespace
