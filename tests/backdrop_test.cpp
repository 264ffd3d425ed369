// The login backdrop, run modally as the application runs it.
#include <gtest/gtest.h>
#include <functional>

#include "GdiPlus.h"
#include "LoginApp.h"
#include "LoginActiveDlg.h"
#include "LoginDlg.h"
#include "support/Script.h"

namespace {

// The application starts GDI+ and its services before it runs the backdrop.
class StartUpEnvironment : public ::testing::Environment {
    void SetUp() override {
        ASSERT_EQ(StartupGdiPlus(&theApp.m_gdiplusToken), Gdiplus::Ok);
        theApp.CreateServices();
    }
    void TearDown() override { theApp.DeleteServices(); }
};
const auto* const g_startUp = ::testing::AddGlobalTestEnvironment(new StartUpEnvironment);

class Backdrop : public ::testing::Test {
protected:
    void SetUp() override { theApp.m_pMainWnd = &m_dlg; }
    void TearDown() override { theApp.m_pMainWnd = nullptr; }
    // `steps` runs inside the modal loop, after initialisation, and ends it.
    INT_PTR Run(std::function<void()> steps) {
        m_script.Then(std::move(steps));
        return m_dlg.DoModal();
    }
    Script m_script;
    CLoginDlg m_dlg;
};

}  // namespace

TEST_F(Backdrop, IsItsImageCentredInTheWorkAreaAndDragsFromAnywhere) {
    CRect rect;
    DWORD style = 0, exStyle = 0;
    wchar_t text[16] = {};
    LRESULT icons[3] = {}, inside = 0, outside = 0;
    int leadsAfterOutside = 0;
    BOOL dirty = TRUE;
    Run([&] {
        m_dlg.GetWindowRect(&rect);
        style = m_dlg.GetStyle();
        exStyle = m_dlg.GetExStyle();
        ::GetWindowTextW(m_dlg, text, 16);
        icons[0] = m_dlg.SendMessage(WM_GETICON, ICON_BIG);
        icons[1] = m_dlg.SendMessage(WM_GETICON, ICON_SMALL);
        icons[2] = m_dlg.SendMessage(WM_QUERYDRAGICON);
        inside = m_dlg.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rect.left + 300, rect.top + 200));
        m_dlg.m_bBackdropLeads = 0;
        outside = m_dlg.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rect.right + 20, rect.top + 200));
        leadsAfterOutside = m_dlg.m_bBackdropLeads;
        m_dlg.Invalidate();  // painting draws nothing but leaves nothing to do
        ::UpdateWindow(m_dlg);
        dirty = ::GetUpdateRect(m_dlg, nullptr, FALSE);
        m_dlg.PostMessage(WM_CLOSE);
    });
    CRect work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(rect.Width(), 1120);
    EXPECT_EQ(rect.Height(), 693);
    EXPECT_EQ(rect.left, (work.left + work.right) / 2 - 1120 / 2);
    EXPECT_EQ(rect.top, (work.top + work.bottom) / 2 - 693 / 2);
    EXPECT_TRUE(exStyle & WS_EX_LAYERED);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_STREQ(text, L"Vesmera");
    for (LRESULT icon : icons)
        EXPECT_EQ(icon, reinterpret_cast<LRESULT>(m_dlg.m_hIcon));
    EXPECT_EQ(inside, HTCAPTION);
    EXPECT_EQ(outside, HTNOWHERE);  // the default answer, unchanged
    EXPECT_EQ(leadsAfterOutside, 1);
    EXPECT_FALSE(dirty);
}

TEST_F(Backdrop, StaysOpenOnEnterAndEscapeAndEndsWithIdOkOnClose) {
    bool openAfterKeys = false;
    const INT_PTR result = Run([&] {
        ::PostMessageW(m_dlg, WM_KEYDOWN, VK_RETURN, 0);
        ::PostMessageW(m_dlg, WM_KEYDOWN, VK_ESCAPE, 0);
        m_script.Then([&] {  // once the keys are handled
            openAfterKeys = m_dlg.IsWindowVisible() != FALSE;
            m_dlg.PostMessage(WM_CLOSE);
        });
    });
    EXPECT_TRUE(openAfterKeys);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(m_dlg.m_hWnd, nullptr);
}

TEST_F(Backdrop, ClosedOrMinimisedBeforeItsPanelIsMadeAllGoesOnAsItShould) {
    // The panel is made from the loop's first message, after the backdrop
    // shows: a close that comes first ends the run without it.
    bool noPanelYet = false;
    EXPECT_EQ(Run([&] {
        noPanelYet = m_dlg.m_pPanel == nullptr;
        m_dlg.SendMessage(WM_CLOSE);
    }), IDOK);
    EXPECT_TRUE(noPanelYet);
    EXPECT_EQ(m_dlg.m_pPanel, nullptr);

    // Minimised first: the panel is made hidden, and shows over the backdrop
    // once that is restored.
    CLoginDlg second;
    theApp.m_pMainWnd = &second;
    bool hiddenWhileMinimised = false, shownOverIt = false;
    CRect backdrop, panel;
    Script script;
    script.Then([&] {
        second.ShowWindow(SW_MINIMIZE);
        script.Then([&] {  // after the panel's making
            hiddenWhileMinimised = second.m_pPanel != nullptr && !second.m_pPanel->IsWindowVisible();
            second.ShowWindow(SW_RESTORE);
            shownOverIt = second.m_pPanel != nullptr && second.m_pPanel->IsWindowVisible();
            second.GetWindowRect(&backdrop);
            if (second.m_pPanel != nullptr)
                second.m_pPanel->GetWindowRect(&panel);
            second.PostMessage(WM_CLOSE);
        });
    });
    EXPECT_EQ(second.DoModal(), IDOK);
    EXPECT_TRUE(hiddenWhileMinimised);
    EXPECT_TRUE(shownOverIt);
    EXPECT_EQ(panel, backdrop);
    EXPECT_EQ(backdrop.Width(), 1120);
}
