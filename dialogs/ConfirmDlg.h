#pragma once
// The skinned yes/no question: quit the game (mode 0) or go back to choose
// another server (mode 1). DoModal gives IDOK when the player confirms.
#include "Controls.h"
#include "Dialog.h"
#include "Gdi.h"
#include "PngButton.h"

class CConfirmDlg : public CDialogEx {
public:
    explicit CConfirmDlg(CWnd* parent = nullptr);
    ~CConfirmDlg() override;

    int m_nMode = 0;

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    CPngButton m_btnOK;
    CPngButton m_btnCancel;
    CStatic m_stTitle;
    CStatic m_stText;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnPaint();
    void OnClose() { Default(); }
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
    void OnConfirm() { OnOK(); }
    void OnDecline() { OnCancel(); }

    CBitmap m_bmpBack;
    CFont m_fontTitle;  // lives as long as the title line uses it
};
