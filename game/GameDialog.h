#pragma once
// The game window: a borderless frame with a 30-pixel skinned title bar over
// the browser that shows the game, in one of three display modes; its
// commands, hotkeys and notification-area icon.
#include <windows.h>
#include <shellapi.h>

#include <array>

#include "Controls.h"
#include "Dialog.h"
#include "Gdi.h"
#include "HiddenWindows.h"
#include "HotKey.h"
#include "PngButton.h"
#include "TrayIcon.h"
#include "WebBrowser2.h"

class CGameDialog : public CDialogEx {
public:
    enum DisplayMode { MODE_FULL = 0, MODE_MAX = 1, MODE_NORMAL = 2 };
    static constexpr int kTitleHeight = 30;
    static constexpr UINT kTrayIconId = 128;
    static constexpr int kHotKeyBoss = 1001;  // F10
    static constexpr int kHotKeyFull = 1002;  // F11

    explicit CGameDialog(CWnd* parent = nullptr);
    ~CGameDialog() override;

    // Display modes and the title bar.
    void ShowTitleControls(int cmdShow);
    void LayoutTitleBar();
    void PlaceFull();
    void PlaceMax();
    void PlaceNormal();
    void ApplyDisplayMode();
    void EnterFullMode();
    void ToggleMaxNormal();
    void ToggleFullScreen();
    // The boss key: the whole launcher off the screen, or back as it was.
    void ToggleVisible();
    void AddTrayIcon();
    // The release steps of closing: title bitmap, hotkeys, tray icon.
    // Harmless to run again.
    void ReleaseFrameResources();
    // Gives the keyboard to the game page, as a click into it would, when
    // this window is the active one: keys belong to the game, never to the
    // title bar.
    void FocusPage();

    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    static const EventSinkMap* GetThisEventSinkMap();
    const EventSinkMap* GetEventSinkMap() const override { return GetThisEventSinkMap(); }

    // What the hand-over and the tests reach: the mode, the browser, the
    // buttons, and the records the hotkeys and the tray icon keep.
    int m_nHotKeyBoss = kHotKeyBoss;
    int m_nHotKeyFull = kHotKeyFull;
    DisplayMode m_nDisplayMode = MODE_MAX;
    NOTIFYICONDATAW m_nid{};
    CBitmap m_bmpTitle;
    HICON m_hIcon;
    CWebBrowser2 m_browser;
    CPngButton m_btnClose, m_btnRestore, m_btnMin, m_btnFull, m_btnBoss, m_btnRefresh, m_btnServer, m_btnClean,
        m_btnMax;
    CToolTipCtrl* m_pToolTip = nullptr;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    // The frame (GameFrame.cpp).
    void InitTitleBar();
    void OnPaint();
    void OnSize(UINT type, int cx, int cy);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnNavigateComplete2(IDispatch* disp, VARIANT* url);

    // Commands, keys and the tray (GameDialog.cpp).
    void OnCloseButton();
    void OnMinimize();
    void OnFullScreen();
    void OnBoss();
    void OnCleanCache();
    void OnRefresh();
    void OnReselectServer();
    void OnMaxRestore();
    void OnTrayExit();
    void OnHotKey(UINT id, UINT modifiers, UINT key);
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    void OnTrayDoubleClick();
    void OnTrayMenu();
    void OnClose();
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);

    // The nine title-bar buttons in the order they are made, with their
    // strips and tooltips.
    struct TitleBarButton {
        CPngButton* button;
        UINT image;
        const wchar_t* tip;  // none for null
    };
    std::array<TitleBarButton, 9> TitleBarButtons();
    bool IsTitleBarButton(HWND window);
    void RememberAppliedMode();
    // The mode and the window's place when a mode was last applied.
    int m_appliedMode = -1;
    CRect m_appliedWindow;

    // What the window holds beyond the members above (protected, so that a
    // benchmark can time the window's making step by step).
    CBitmap m_bmpLogo;  // the logo static's image (a static never deletes it)
    CHotKey m_hotKeyBoss{m_nHotKeyBoss};
    CHotKey m_hotKeyFull{m_nHotKeyFull};
    CTrayIcon m_tray{m_nid};
    CHiddenWindows m_hidden;  // what the boss key took off the screen
    // The shell's message to every top-level window after it restarted.
    const UINT m_nTaskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
};
