#pragma once
// The login window's frame and the application's main window.
#include "Dialog.h"

class CLoginDlg : public CDialogEx {
public:
    explicit CLoginDlg(CWnd* parent = nullptr);
    ~CLoginDlg() override;

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    HICON m_hIcon;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    int OnCreate(LPCREATESTRUCTW create);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnTimer(UINT_PTR) {}
    void OnClose();
};
