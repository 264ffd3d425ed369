// The yes/no confirmation as the player meets it.
#include <gtest/gtest.h>
#include <functional>
#include <string>

#include "ConfirmDlg.h"
#include "support/GdiPlusSession.h"
#include "resource.h"
#include "support/Input.h"
#include "support/Script.h"
#include "support/Wait.h"

namespace {

std::wstring TextOf(HWND wnd) {
    wchar_t text[128] = {};
    ::GetWindowTextW(wnd, text, 128);
    return text;
}

// Runs a confirmation in `mode`, doing `act` once it shows; its result.
INT_PTR RunConfirm(int mode, const std::function<void(CConfirmDlg&)>& act) {
    Script script;
    CConfirmDlg dlg;
    dlg.m_nMode = mode;
    script.Then([&] { act(dlg); });
    return dlg.DoModal();
}

class Confirm : public ::testing::Test {
protected:
    static void SetUpTestSuite() { gdiplus = new GdiPlusSession; }
    static void TearDownTestSuite() { delete gdiplus; }
    static GdiPlusSession* gdiplus;
};
GdiPlusSession* Confirm::gdiplus = nullptr;

}  // namespace

TEST_F(Confirm, EachModeShowsItsWordingsInAnExactlySizedCentredDialog) {
    for (int mode : {0, 1}) {
        std::wstring title, text;
        CRect window, ok, cancel;
        HWND top = nullptr, decline = nullptr;
        RunConfirm(mode, [&](CConfirmDlg& d) {
            title = TextOf(d.m_stTitle.m_hWnd);
            text = TextOf(d.m_stText.m_hWnd);
            d.GetWindowRect(&window);
            d.m_btnOK.GetWindowRect(&ok);
            d.m_btnCancel.GetWindowRect(&cancel);
            d.ScreenToClient(&ok);
            d.ScreenToClient(&cancel);
            // Where the two buttons overlap, the decline button is on top.
            top = ::ChildWindowFromPointEx(d.m_hWnd, POINT{150, 80}, CWP_ALL);
            decline = d.m_btnCancel.m_hWnd;
            d.EndDialog(IDCANCEL);
        });
        if (mode == 0) {
            EXPECT_EQ(title, L"关闭游戏");
            EXPECT_EQ(text, L"确定要退出游戏吗?");
        } else {
            EXPECT_EQ(title, L"选服");
            EXPECT_EQ(text, L"是否退出当前游戏，重新选择新服务器?");
        }
        EXPECT_EQ(window.Width(), 256);
        EXPECT_EQ(window.Height(), 110);
        RECT work;
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_EQ(window.left, (work.left + work.right) / 2 - 128);
        EXPECT_EQ(ok, CRect(40, 72, 296, 98));
        EXPECT_EQ(cancel, CRect(140, 72, 396, 98));
        EXPECT_EQ(top, decline);
    }
}

TEST_F(Confirm, ClicksBesideTheImagesAndKeysGiveTheirResults) {
    EXPECT_EQ(RunConfirm(0, [](CConfirmDlg& d) { ClickAt(ClientToScreenPoint(d.m_hWnd, 120, 80)); }), IDOK);
    EXPECT_EQ(RunConfirm(0, [](CConfirmDlg& d) { ClickAt(ClientToScreenPoint(d.m_hWnd, 230, 80)); }), IDCANCEL);
    EXPECT_EQ(RunConfirm(1, [](CConfirmDlg& d) { ::PostMessageW(d.m_hWnd, WM_KEYDOWN, VK_RETURN, 0); }), IDOK);
    EXPECT_EQ(RunConfirm(1, [](CConfirmDlg& d) { ::PostMessageW(d.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0); }), IDCANCEL);
    EXPECT_EQ(RunConfirm(0, [](CConfirmDlg& d) { ::PostMessageW(d.m_hWnd, WM_CLOSE, 0, 0); }), IDCANCEL);
}
