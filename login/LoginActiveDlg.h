#pragma once
// The part of the login window the player works with: a colour-keyed panel
// laid over the backdrop, showing the login page and two image buttons, and
// handing game addresses over to the game window.
#include "Dialog.h"
#include "Gdi.h"
#include "LayeredWindow.h"
#include "PngButton.h"
#include "WebBrowser2.h"

class CLoginDlg;

class CLoginActiveDlg : public CDialogEx {
public:
    static constexpr COLORREF kKeyColour = 0x0000FFFF;  // yellow

    explicit CLoginActiveDlg(CLoginDlg* backdrop);
    ~CLoginActiveDlg() override;

    // Whether a navigation to `url` is a game address for the game window.
    static bool IsGameAddress(const wchar_t* url);

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    static const EventSinkMap* GetThisEventSinkMap();
    const EventSinkMap* GetEventSinkMap() const override { return GetThisEventSinkMap(); }

    CLayeredPng m_layered;
    CBrush m_brKey;
    COLORREF m_crKey = kKeyColour;
    CLoginDlg* m_pBackdrop;
    CWebBrowser2 m_browser;
    CPngButton m_btnLoginMin;
    CPngButton m_btnLoginClose;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    void OnMove(int x, int y);
    LRESULT OnNcHitTest(CPoint point);
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
    void OnMinimize();
    void OnQuit();
    LRESULT OnSysCommand(WPARAM command, LPARAM lParam);
    // Puts the keyboard into the login page, once it shows, while the login
    // window is the active one.
    void FocusPage();
    void OnDocumentComplete(IDispatch*, VARIANT*) {}
    void OnNavigateComplete2(IDispatch* disp, VARIANT* url);
    void OnBeforeNavigate2(IDispatch* disp, VARIANT* url, VARIANT* flags, VARIANT* target, VARIANT* postData,
                           VARIANT* headers, VARIANT_BOOL* cancel);
};
