#pragma once
// The login window's frame and the application's main window: a borderless
// window whose whole look is PNG 155 with per-pixel alpha.
#include <memory>

#include "Dialog.h"
#include "LayeredWindow.h"

class CLoginActiveDlg;

class CLoginDlg : public CDialogEx {
public:
    explicit CLoginDlg(CWnd* parent = nullptr);
    ~CLoginDlg() override;

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    HICON m_hIcon;
    // 1 when the backdrop was hit-tested last (it is the one being dragged).
    int m_bBackdropLeads = 0;
    // The login page panel, made by the backdrop; the application deletes
    // it after the modal run, before the game window (see InitInstance).
    std::unique_ptr<CLoginActiveDlg> m_pPanel;
    CLayeredPng m_backdrop;

protected:
    BOOL OnInitDialog() override;
    // Enter and Escape never end the backdrop.
    void OnOK() override {}
    void OnCancel() override {}

    int OnCreate(LPCREATESTRUCTW create);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    LRESULT OnNcHitTest(CPoint point);
    void OnMove(int x, int y);
    void OnShowWindow(BOOL show, UINT status);
    void OnSize(UINT type, int cx, int cy);
    LRESULT OnMakeLoginPanel(WPARAM wParam, LPARAM lParam);
    void ShowPanelOverBackdrop(int cmdShow);
    LRESULT OnWindowPosChanged(WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR) {}
    void OnClose();
};
