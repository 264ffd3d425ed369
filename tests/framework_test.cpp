// The framework's core on real windows and messages.
#include <gtest/gtest.h>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "Controls.h"
#include "DataExchange.h"
#include "Dialog.h"
#include "MessageMap.h"
#include "ThreadState.h"
#include "WinApp.h"
#include "support/Script.h"
#include "support/Wait.h"
#include "test_ids.h"

namespace {

int g_helpCommands = 0;

class CTestApp : public CWinApp {
public:
    void OnHelpCommand() { ++g_helpCommands; }
    static const MessageMap* GetThisMessageMap() {
        static const MessageMapEntry entries[] = {msgmap::Command<ID_HELP, &CTestApp::OnHelpCommand>()};
        static const MessageMap map = MakeMessageMap(&CWinApp::GetThisMessageMap, entries);
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
} testApp;

// A dialog whose initialisation and button are scripted by the test.
class CProbeDlg : public CDialogEx {
public:
    explicit CProbeDlg(UINT id = IDD_TEST_PLAIN, CWnd* parent = nullptr) : CDialogEx(id, parent) {}
    std::function<void(CProbeDlg&)> onInit;
    std::function<void()> onGo;
    std::vector<std::string>* preTranslateLog = nullptr;
    CButton m_btnGo;
    int initCalls = 0;

    static const MessageMap* GetThisMessageMap() {
        static const MessageMapEntry entries[] = {msgmap::Command<IDC_TEST_GO, &CProbeDlg::OnGo>()};
        static const MessageMap map = MakeMessageMap(&CDialogEx::GetThisMessageMap, entries);
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    BOOL PreTranslateMessage(MSG* msg) override {
        if (preTranslateLog && msg->message == WM_KEYDOWN)
            preTranslateLog->push_back("dialog");
        return CDialogEx::PreTranslateMessage(msg);
    }

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_TEST_GO, m_btnGo); }
    BOOL OnInitDialog() override {
        CDialogEx::OnInitDialog();
        ++initCalls;
        if (onInit)
            onInit(*this);
        return TRUE;
    }
    void OnGo() {
        // A copy: the handler may delete this object, and the function with it.
        if (auto handler = onGo)
            handler();
    }
};

// A plain window class for message-map tests.
HWND CreatePlainWindow(CWnd& wnd) {
    static const wchar_t* className = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"FrameworkTestPlain";
        ::RegisterClassW(&wc);
        return L"FrameworkTestPlain";
    }();
    wnd.CreateEx(0, className, L"plain", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0);
    return wnd.m_hWnd;
}

class CBaseProbe : public CWnd {
public:
    std::vector<std::string> log;
    LRESULT OnOne(WPARAM, LPARAM) { log.push_back("base1"); return 1; }
    LRESULT OnTwo(WPARAM, LPARAM) { log.push_back("base2"); return 2; }
    static const MessageMap* GetThisMessageMap() {
        static const MessageMapEntry entries[] = {
            msgmap::Message<WM_APP + 1, &CBaseProbe::OnOne>(),
            msgmap::Message<WM_APP + 2, &CBaseProbe::OnTwo>(),
        };
        static const MessageMap map = MakeMessageMap(&CWnd::GetThisMessageMap, entries);
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
};

class CDerivedProbe : public CBaseProbe {
public:
    CPoint moved{-1, -1}, clicked{-1, -1};
    UINT sizeType = 99;
    int cx = -1, cy = -1;
    LRESULT OnTwoDerived(WPARAM, LPARAM) { log.push_back("derived2"); return 20; }
    LRESULT OnThree(WPARAM w, LPARAM l) { log.push_back("derived3:" + std::to_string(w) + "," + std::to_string(l)); return 3; }
    void OnMove(int x, int y) { moved = {x, y}; }
    void OnSize(UINT type, int w, int h) { sizeType = type; cx = w; cy = h; }
    void OnLButtonDown(UINT, CPoint p) { clicked = p; }
    static const MessageMap* GetThisMessageMap() {
        static const MessageMapEntry entries[] = {
            msgmap::Message<WM_APP + 2, &CDerivedProbe::OnTwoDerived>(),
            msgmap::Message<WM_APP + 3, &CDerivedProbe::OnThree>(),
            msgmap::Move<&CDerivedProbe::OnMove>(),
            msgmap::Size<&CDerivedProbe::OnSize>(),
            msgmap::Mouse<WM_LBUTTONDOWN, &CDerivedProbe::OnLButtonDown>(),
        };
        static const MessageMap map = MakeMessageMap(&CBaseProbe::GetThisMessageMap, entries);
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
};

// An edit control whose WM_SETTEXT handler may or may not pass the message on.
class CTextProbe : public CWnd {
public:
    bool passOn = true;
    int seen = 0;
    LRESULT OnSetText(WPARAM, LPARAM) {
        ++seen;
        return passOn ? Default() : TRUE;
    }
    static const MessageMap* GetThisMessageMap() {
        static const MessageMapEntry entries[] = {msgmap::Message<WM_SETTEXT, &CTextProbe::OnSetText>()};
        static const MessageMap map = MakeMessageMap(&CWnd::GetThisMessageMap, entries);
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
};

class CKeyProbe : public CWnd {
public:
    std::vector<std::string>* log = nullptr;
    bool consume = false;
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN)
            log->push_back("edit");
        return consume;
    }
};

std::wstring WindowText(HWND hWnd) {
    wchar_t buffer[256] = {};
    ::GetWindowTextW(hWnd, buffer, 256);
    return buffer;
}

// Whatever a test left as main window, the next one starts without.
class Framework : public ::testing::Test {
protected:
    void TearDown() override { testApp.m_pMainWnd = nullptr; }
};

}  // namespace

TEST_F(Framework, MessageMapsChainToTheBaseAndTheMostDerivedEntryWins) {
    CDerivedProbe wnd;
    ASSERT_NE(CreatePlainWindow(wnd), nullptr);
    EXPECT_EQ(wnd.SendMessage(WM_APP + 1), 1);
    EXPECT_EQ(wnd.SendMessage(WM_APP + 2), 20);
    EXPECT_EQ(wnd.SendMessage(WM_APP + 3, 7, 9), 3);
    EXPECT_EQ(wnd.SendMessage(WM_APP + 4), 0);  // no entry: default processing
    EXPECT_EQ(wnd.log, (std::vector<std::string>{"base1", "derived2", "derived3:7,9"}));

    // Typed adaptors unpack packed and signed coordinates.
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(-5), 12));
    EXPECT_EQ(wnd.clicked.x, -5);
    EXPECT_EQ(wnd.clicked.y, 12);
    wnd.MoveWindow(30, 40, 120, 80);
    EXPECT_EQ(wnd.moved.x, 30);
    EXPECT_EQ(wnd.moved.y, 40);
    EXPECT_EQ(wnd.sizeType, static_cast<UINT>(SIZE_RESTORED));
    EXPECT_EQ(wnd.cx, 120);
    EXPECT_EQ(wnd.cy, 80);
}

TEST_F(Framework, DefaultRunsTheWindowsOwnProcessing) {
    HWND edit = ::CreateWindowExW(0, L"Edit", L"before", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    CTextProbe probe;
    ASSERT_TRUE(probe.SubclassWindow(edit));
    ::SetWindowTextW(edit, L"passed on");
    EXPECT_EQ(WindowText(edit), L"passed on");
    probe.passOn = false;
    ::SetWindowTextW(edit, L"swallowed");
    EXPECT_EQ(WindowText(edit), L"passed on");
    EXPECT_EQ(probe.seen, 2);
    probe.DestroyWindow();
    EXPECT_EQ(probe.m_hWnd, nullptr);
}

TEST_F(Framework, DataExchangeSubclassesOnceAndUnsubclassesCleanly) {
    CProbeDlg dlg;
    LONG_PTR classProc = 0;
    dlg.onInit = [&](CProbeDlg& d) {
        // By now the framework's initialisation has bound the button.
        HWND button = ::GetDlgItem(d.m_hWnd, IDC_TEST_GO);
        EXPECT_EQ(d.m_btnGo.m_hWnd, button);
        EXPECT_EQ(CWnd::FromHandlePermanent(button), &d.m_btnGo);
        EXPECT_EQ(::GetWindowLongPtrW(button, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&AfxWndProc));
        WNDCLASSW wc{};
        ::GetClassInfoW(nullptr, L"Button", &wc);
        classProc = reinterpret_cast<LONG_PTR>(wc.lpfnWndProc);
    };
    ASSERT_TRUE(dlg.Create(IDD_TEST_PLAIN));
    HWND button = dlg.m_btnGo.m_hWnd;
    dlg.UpdateData(FALSE);  // a second exchange leaves the binding alone
    EXPECT_EQ(CWnd::FromHandlePermanent(button), &dlg.m_btnGo);

    EXPECT_EQ(dlg.m_btnGo.UnsubclassWindow(), button);
    EXPECT_EQ(CWnd::FromHandlePermanent(button), nullptr);
    // The button's own procedure is back.
    EXPECT_EQ(::GetWindowLongPtrW(button, GWLP_WNDPROC), classProc);
    EXPECT_EQ(::SendMessageW(button, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"still works")), TRUE);

    // Bound again, it lets go of the window when the dialog goes.
    dlg.UpdateData(FALSE);
    EXPECT_EQ(dlg.m_btnGo.m_hWnd, button);
    dlg.DestroyWindow();
    EXPECT_EQ(dlg.m_btnGo.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(button), nullptr);
}

TEST_F(Framework, ModelessDialogWithoutParentIsOwnedByTheMainWindow) {
    CProbeDlg mainDlg, second;
    ASSERT_TRUE(mainDlg.Create(IDD_TEST_PLAIN));
    testApp.m_pMainWnd = &mainDlg;
    ASSERT_TRUE(second.Create(IDD_TEST_HIDDEN, nullptr));
    EXPECT_EQ(::GetWindow(second.m_hWnd, GW_OWNER), mainDlg.m_hWnd);
    EXPECT_EQ(::GetWindowLongW(second.m_hWnd, GWL_STYLE) & WS_CHILD, 0);
    EXPECT_EQ(second.initCalls, 1);
}

TEST_F(Framework, ModalRunEndsWithItsEndDialogResult) {
    Script script;
    CProbeDlg dlg;
    dlg.onInit = [&](CProbeDlg& d) { script.Then([&] { d.EndDialog(IDOK); }); };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.initCalls, 1);
    EXPECT_EQ(dlg.m_hWnd, nullptr);

    // Escape and Enter reach the framework's OnCancel and OnOK.
    CProbeDlg escaped;
    escaped.onInit = [&](CProbeDlg& d) { ::PostMessageW(d.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0); };
    EXPECT_EQ(escaped.DoModal(), IDCANCEL);
    CProbeDlg entered;
    entered.onInit = [&](CProbeDlg& d) { ::PostMessageW(d.m_btnGo.m_hWnd, WM_KEYDOWN, VK_RETURN, 0); };
    entered.onGo = [&] { entered.EndDialog(42); };  // Enter on a focused push button clicks it
    INT_PTR result = entered.DoModal();
    EXPECT_TRUE(result == IDOK || result == 42) << result;
}

TEST_F(Framework, QuitInsideANestedModalRunEndsEveryLoopWithItsCode) {
    Script script;
    CProbeDlg outer, inner;
    INT_PTR innerResult = 0;
    bool outerStillOpenAfterInner = false;
    inner.onInit = [&](CProbeDlg&) { ::PostQuitMessage(16); };
    outer.onInit = [&](CProbeDlg& d) {
        script.Then([&] {
            innerResult = inner.DoModal();
            outerStillOpenAfterInner = ::IsWindow(d.m_hWnd) != FALSE;
        });
    };
    INT_PTR outerResult = outer.DoModal();
    EXPECT_EQ(innerResult, -1);
    EXPECT_EQ(outerResult, -1);
    EXPECT_TRUE(outerStillOpenAfterInner);
    const MSG& last = AfxGetThreadState().msgCur;
    EXPECT_EQ(last.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(last.wParam, 16u);
    EXPECT_EQ(testApp.ExitInstance(), 16);
    // The quit was handed on once more; take it so that this program goes on.
    MSG pending;
    EXPECT_TRUE(::PeekMessageW(&pending, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(pending.wParam, 16u);
}

TEST_F(Framework, ModalDialogWithoutOwnerIsOwnedByTheActivePopupAndDisablesIt) {
    Script script;
    CProbeDlg mainDlg, popup, modal;
    ASSERT_TRUE(mainDlg.Create(IDD_TEST_PLAIN));
    testApp.m_pMainWnd = &mainDlg;
    ASSERT_TRUE(popup.Create(IDD_TEST_PLAIN));
    popup.SetActiveWindow();
    ASSERT_EQ(::GetLastActivePopup(mainDlg.m_hWnd), popup.m_hWnd);

    HWND owner = nullptr;
    BOOL popupEnabled = TRUE, mainEnabled = TRUE;
    modal.onInit = [&](CProbeDlg& d) {
        script.Then([&] {
            owner = ::GetWindow(d.m_hWnd, GW_OWNER);
            popupEnabled = popup.IsWindowEnabled();
            mainEnabled = mainDlg.IsWindowEnabled();
            d.EndDialog(IDCANCEL);
        });
    };
    EXPECT_EQ(modal.DoModal(), IDCANCEL);
    EXPECT_EQ(owner, popup.m_hWnd);
    EXPECT_FALSE(popupEnabled);
    EXPECT_FALSE(mainEnabled);
    EXPECT_TRUE(popup.IsWindowEnabled());
    EXPECT_TRUE(mainDlg.IsWindowEnabled());
}

TEST_F(Framework, PreTranslationRunsFromTheInnermostWindowOutward) {
    Script script;
    std::vector<std::string> log;
    CKeyProbe edit;
    edit.log = &log;
    CProbeDlg dlg;
    dlg.preTranslateLog = &log;
    dlg.onInit = [&](CProbeDlg& d) {
        edit.SubclassDlgItem(IDC_TEST_EDIT, &d);
        ::PostMessageW(edit.m_hWnd, WM_KEYDOWN, 'A', 0);
        script.Then([&] {
            edit.consume = true;
            ::PostMessageW(edit.m_hWnd, WM_KEYDOWN, 'B', 0);
            script.Then([&] { d.EndDialog(IDOK); });
        });
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(log, (std::vector<std::string>{"edit", "dialog", "edit"}));
}

namespace {
// Freed memory is overwritten, so a use after deletion fails loudly.
class CPoisonedDlg : public CProbeDlg {
public:
    static void operator delete(void* p, std::size_t size) {
        std::memset(p, 0xDD, size);
        ::operator delete(p);
    }
};
}  // namespace

TEST_F(Framework, WindowDeletedByItsOwnCommandHandlerIsNotTouchedAfterwards) {
    auto* dlg = new CPoisonedDlg;
    ASSERT_TRUE(dlg->Create(IDD_TEST_PLAIN));
    HWND hWnd = dlg->m_hWnd;
    HWND button = dlg->m_btnGo.m_hWnd;
    bool deleted = false;
    dlg->onGo = [&] {
        delete dlg;
        deleted = true;
    };
    ::SendMessageW(button, BM_CLICK, 0, 0);
    PumpPending();
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_FALSE(::IsWindow(button));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST_F(Framework, CenterWindowUsesTheWorkAreaOrAVisibleOwnerAndKeepsInside) {
    RECT work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    CProbeDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_PLAIN, nullptr));
    dlg.MoveWindow(0, 0, 300, 200);
    dlg.CenterWindow();
    CRect r;
    dlg.GetWindowRect(&r);
    EXPECT_EQ(r.left, (work.left + work.right) / 2 - 150);
    EXPECT_EQ(r.top, (work.top + work.bottom) / 2 - 100);
    EXPECT_EQ(r.Width(), 300);

    // Larger than the work area: its left and top edges are the area's.
    dlg.MoveWindow(0, 0, work.right - work.left + 200, work.bottom - work.top + 100);
    dlg.CenterWindow();
    dlg.GetWindowRect(&r);
    EXPECT_EQ(r.left, work.left);
    EXPECT_EQ(r.top, work.top);

    // Over a visible owner; not over a hidden one.
    CProbeDlg owner, owned;
    ASSERT_TRUE(owner.Create(IDD_TEST_PLAIN));
    owner.MoveWindow(100, 100, 400, 300);
    ASSERT_TRUE(owned.Create(IDD_TEST_HIDDEN, &owner));
    owned.MoveWindow(0, 0, 100, 50);
    owned.CenterWindow();
    owned.GetWindowRect(&r);
    EXPECT_EQ(r.left, 250);
    EXPECT_EQ(r.top, 225);
    owner.ShowWindow(SW_HIDE);
    owned.CenterWindow();
    owned.GetWindowRect(&r);
    EXPECT_EQ(r.left, (work.left + work.right) / 2 - 50);
}

TEST_F(Framework, CommandsNoWindowTakesGoToTheApplication) {
    CProbeDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_PLAIN));
    const int before = g_helpCommands;
    dlg.SendMessage(WM_COMMAND, ID_HELP, 0);
    EXPECT_EQ(g_helpCommands, before + 1);
    dlg.SendMessage(WM_COMMAND, 4321, 0);  // nobody's: ignored
    EXPECT_EQ(g_helpCommands, before + 1);
}

TEST_F(Framework, StartUpRegistersForRestartAndKeepsTheRegistryKeyName) {
    CTestApp& app = testApp;
    app.m_dwRestartManagerSupportFlags = AFX_RESTART_MANAGER_SUPPORT_RESTART;
    EXPECT_TRUE(app.CWinApp::InitInstance());
    EXPECT_TRUE(app.m_bRestartRegistered);
    EXPECT_NE(app.m_pszAppName, nullptr);
    EXPECT_STREQ(app.m_pszAppName, L"framework_tests");
    app.SetRegistryKey(L"FrameworkTestKey");
    EXPECT_STREQ(app.m_pszRegistryKey, L"FrameworkTestKey");
    HKEY key;
    EXPECT_NE(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\FrameworkTestKey", 0, KEY_READ, &key), ERROR_SUCCESS);
}
