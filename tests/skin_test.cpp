// The skin toolkit on real resources, windows, messages and GDI+.
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include <shlwapi.h>

#include "Dialog.h"
#include "GdiPlusPng.h"
#include "Geometry.h"
#include "LayeredWindow.h"
#include "LoadPngImage.h"
#include "MessageMap.h"
#include "PngButton.h"
#include "UpdateLayeredTool.h"
#include "WinApp.h"
#include "resource.h"
#include "skin_test_ids.h"
#include "support/DebugOutput.h"
#include "support/Wait.h"

namespace {

// No image loads before GDI+ is started, here as in the application.
class GdiPlusEnvironment : public ::testing::Environment {
    void SetUp() override { ASSERT_EQ(StartupGdiPlus(&m_token), Gdiplus::Ok); }
    ULONG_PTR m_token = 0;
};
const auto* const g_gdiplus = ::testing::AddGlobalTestEnvironment(new GdiPlusEnvironment);

bool Load(CGdiPlusPngResource& png, UINT id) {
    return png.Load(MAKEINTRESOURCEW(id), AfxGetResourceHandle());
}

COLORREF PixelOf(HWND window, int x, int y) {  // null: the screen
    HDC dc = window ? ::GetWindowDC(window) : ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(window, dc);
    return colour;
}

}  // namespace

TEST(PngHolder, HoldsOneImageWithItsLockedBlockOrNothing) {
    CGdiPlusPngResource png;
    EXPECT_EQ(png.GetWidth(), 0u);
    EXPECT_EQ(png.GetHeight(), 0u);

    ASSERT_TRUE(Load(png, IDB_PNG_BACKDROP));
    EXPECT_EQ(png.GetWidth(), 1120u);
    EXPECT_EQ(png.GetHeight(), 693u);
    EXPECT_EQ(::GlobalFlags(png.m_hBuffer) & GMEM_LOCKCOUNT, 1u);
    HGLOBAL first = png.m_hBuffer;

    ASSERT_TRUE(Load(png, IDB_PNG_LOGIN_MIN));
    EXPECT_EQ(png.GetWidth(), 27u);
    EXPECT_EQ(::GlobalFlags(png.m_hBuffer) & GMEM_LOCKCOUNT, 1u);
    if (png.m_hBuffer.Get() != first) {  // else the freed handle was given out again
        EXPECT_EQ(::GlobalFlags(first), static_cast<UINT>(GMEM_INVALID_HANDLE));
    }

    // Missing, not an image, zero bytes: false, and what was held is gone.
    for (UINT id : {IDB_SKIN_TEST_MISSING, IDB_SKIN_TEST_GARBAGE, IDB_SKIN_TEST_EMPTY}) {
        ASSERT_TRUE(Load(png, IDB_PNG_LOGIN_MIN));
        EXPECT_FALSE(Load(png, id)) << id;
        EXPECT_EQ(png.m_pImage, nullptr) << id;
        EXPECT_EQ(png.m_hBuffer.Get(), nullptr) << id;
    }
    EXPECT_FALSE(png.Load(L"NO_SUCH_IMAGE", AfxGetResourceHandle()));
}

TEST(PngHolder, AnImageThatCannotBeHadLeavesALineOfDebugOutput) {
    DebugOutput output;
    CGdiPlusPngResource png;
    EXPECT_FALSE(Load(png, IDB_SKIN_TEST_MISSING));
    EXPECT_FALSE(Load(png, IDB_SKIN_TEST_GARBAGE));
    EXPECT_EQ(LoadPngImage(AfxGetResourceHandle(), IDB_SKIN_TEST_MISSING), nullptr);
    const std::string missing = "finding PNG resource " + std::to_string(IDB_SKIN_TEST_MISSING) + " failed, error";
    const std::string garbage = "decoding PNG resource " + std::to_string(IDB_SKIN_TEST_GARBAGE) + " failed, error";
    EXPECT_TRUE(output.Has({missing.c_str()}));
    EXPECT_TRUE(output.Has({garbage.c_str()}));
    // ASCII, one line each, no more than asked for.
    for (const std::string& line : output.Lines()) {
        EXPECT_EQ(line.back(), '\n');
        for (char c : line)
            EXPECT_TRUE(static_cast<unsigned char>(c) < 0x80) << line;
    }
    EXPECT_EQ(output.Lines().size(), 3u);
}

TEST(PngImage, HasTheStripsSizeOrNoneWhenUndecodable) {
    auto strip = LoadPngImage(AfxGetResourceHandle(), IDB_PNG_LOGIN_MIN);
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->GetWidth(), 27u);
    EXPECT_EQ(strip->GetHeight(), 108u);
    auto garbage = LoadPngImage(AfxGetResourceHandle(), IDB_SKIN_TEST_GARBAGE);
    ASSERT_NE(garbage, nullptr);
    EXPECT_EQ(garbage->GetWidth(), 0u);
    EXPECT_EQ(garbage->GetHeight(), 0u);
    EXPECT_EQ(LoadPngImage(AfxGetResourceHandle(), IDB_SKIN_TEST_MISSING), nullptr);
}

namespace {

// A white top-level window at (50, 60) that counts its extended-style writes.
class ProbeWindow {
public:
    explicit ProbeWindow(DWORD exStyle = 0) {
        static const ATOM atom = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = &ProbeWindow::WndProc;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
            wc.lpszClassName = L"SkinTestProbe";
            return ::RegisterClassW(&wc);
        }();
        m_hWnd = ::CreateWindowExW(exStyle, MAKEINTATOM(atom), L"", WS_POPUP | WS_VISIBLE, 50, 60, 200, 100, nullptr,
                                   nullptr, nullptr, nullptr);
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&m_writes));
        ::UpdateWindow(m_hWnd);
    }
    ~ProbeWindow() { ::DestroyWindow(m_hWnd); }
    HWND m_hWnd = nullptr;
    int m_writes = 0;
    DWORD ExStyle() const { return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE)); }

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* writes = reinterpret_cast<int*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        if (message == WM_STYLECHANGED && static_cast<int>(wParam) == GWL_EXSTYLE && writes)
            ++*writes;
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    }
};

// The colour of a pixel of a "PNG" resource, decoded apart from the loaders.
Gdiplus::Color ResourcePixel(UINT id, int x, int y) {
    HMODULE module = AfxGetResourceHandle();
    HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG");
    IStream* stream = ::SHCreateMemStream(static_cast<const BYTE*>(::LockResource(::LoadResource(module, resource))),
                                          ::SizeofResource(module, resource));
    Gdiplus::Color colour;
    Gdiplus::Bitmap(stream).GetPixel(x, y, &colour);
    stream->Release();
    return colour;
}

}  // namespace

TEST(LayeredTool, IsMadeOnceForTheProcessOrLeftEmpty) {
    UpdateLayeredTool* tool = UpdateLayeredTool::Instance();
    ProbeWindow window;
    ApplyLayeredColorKey(window.m_hWnd, RGB(255, 0, 0), 150);
    EXPECT_EQ(UpdateLayeredTool::Instance(), tool);
    EXPECT_EQ(tool->m_hUser32, ::GetModuleHandleW(L"user32.dll"));
    EXPECT_EQ(tool->m_pfnUpdateLayeredWindow, &::UpdateLayeredWindow);
    EXPECT_EQ(tool->m_pfnSetLayeredWindowAttributes, &::SetLayeredWindowAttributes);

    UpdateLayeredTool missing(L"NoSuchLayeringLibrary.DLL");
    EXPECT_EQ(missing.m_hUser32, nullptr);
    EXPECT_EQ(missing.m_pfnUpdateLayeredWindow, nullptr);
    EXPECT_EQ(missing.m_pfnSetLayeredWindowAttributes, nullptr);
}

namespace {
int g_presented = 0;
BOOL WINAPI CountPresent(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD) {
    ++g_presented;
    return TRUE;
}
}  // namespace

TEST(LayeredPng, ChangesNothingWithoutImageOrWindow) {
    ProbeWindow window;
    const DWORD before = window.ExStyle();
    CLayeredPng noImage;
    noImage.m_hWndTarget = window.m_hWnd;
    noImage.Present();
    EXPECT_EQ(window.ExStyle(), before);
    EXPECT_EQ(window.m_writes, 0);

    CLayeredPng noWindow;
    ASSERT_TRUE(Load(noWindow.m_png, IDB_PNG_LOGIN_MIN));
    noWindow.m_hWndTarget = ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
    ::DestroyWindow(noWindow.m_hWndTarget);
    // The system is never asked to present anything for a window that is
    // gone; a live one, as a check of the count, is presented once.
    UpdateLayeredTool* tool = UpdateLayeredTool::Instance();
    const auto real = tool->m_pfnUpdateLayeredWindow;
    g_presented = 0;
    tool->m_pfnUpdateLayeredWindow = &CountPresent;
    noWindow.Present();
    EXPECT_EQ(g_presented, 0);
    noWindow.m_hWndTarget = window.m_hWnd;
    noWindow.Present();
    EXPECT_EQ(g_presented, 1);
    tool->m_pfnUpdateLayeredWindow = real;
}

TEST(LayeredPng, PresentsTheImageUnscaledAtTheWindowsCornerWithItsAlpha) {
    ProbeWindow behind;
    ProbeWindow window;
    CLayeredPng backdrop;
    ASSERT_TRUE(Load(backdrop.m_png, IDB_PNG_BACKDROP));
    backdrop.m_hWndTarget = window.m_hWnd;
    backdrop.Present();
    EXPECT_TRUE(window.ExStyle() & WS_EX_LAYERED);
    EXPECT_EQ(window.m_writes, 1);
    CRect rect;
    ::GetWindowRect(window.m_hWnd, &rect);
    EXPECT_EQ(rect, CRect(50, 60, 50 + 1120, 60 + 693));

    // Opaque pixels show as they are, at their place; clear ones show what is behind.
    for (POINT p : {POINT{560, 346}, POINT{117, 176}, POINT{600, 80}, POINT{190, 380}}) {
        const Gdiplus::Color c = ResourcePixel(IDB_PNG_BACKDROP, p.x, p.y);
        ASSERT_EQ(c.GetA(), 255);
        const COLORREF expected = RGB(c.GetR(), c.GetG(), c.GetB());
        EXPECT_TRUE(PumpUntil([&] { return PixelOf(nullptr, 50 + p.x, 60 + p.y) == expected; }, 2000)) << p.x;
    }
    ASSERT_EQ(ResourcePixel(IDB_PNG_BACKDROP, 2, 2).GetA(), 0);
    EXPECT_EQ(PixelOf(nullptr, 52, 62), RGB(255, 255, 255));
}

TEST(LayeredPng, LeavesAWindowThatIsLayeredAlreadyUnwritten) {
    ProbeWindow window(WS_EX_LAYERED | WS_EX_TOOLWINDOW);
    const DWORD before = window.ExStyle();
    CLayeredPng strip;
    ASSERT_TRUE(Load(strip.m_png, IDB_PNG_LOGIN_MIN));
    strip.m_hWndTarget = window.m_hWnd;
    strip.Present();
    ApplyLayeredColorKey(window.m_hWnd, RGB(255, 255, 0), 255);
    EXPECT_EQ(window.ExStyle(), before);
    EXPECT_EQ(window.m_writes, 0);
}

TEST(LayeredColorKey, IsWhatTheSystemReadsBack) {
    for (auto [key, alpha] : {std::pair<COLORREF, BYTE>{0x0000FFFF, 255}, {0x000000FF, 150}}) {
        ProbeWindow window;
        ApplyLayeredColorKey(window.m_hWnd, key, alpha);
        EXPECT_TRUE(window.ExStyle() & WS_EX_LAYERED);
        COLORREF readKey = 0;
        BYTE readAlpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(::GetLayeredWindowAttributes(window.m_hWnd, &readKey, &readAlpha, &flags));
        EXPECT_EQ(readKey, key);
        EXPECT_EQ(readAlpha, alpha);
        EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));
    }
}

namespace {

constexpr COLORREF kBackground = RGB(255, 0, 255);
// The test strip's frames, top to bottom.
constexpr COLORREF kFrames[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)};

// Hosts the buttons on a magenta background and notes the first one's notifications.
class CHostDlg : public CDialogEx {
public:
    CHostDlg() : CDialogEx(IDD_SKIN_TEST_HOST) {}
    std::vector<UINT> notifications;
    static const MessageMap* GetThisMessageMap() {
        static const MessageMapEntry entries[] = {msgmap::EraseBkgnd<&CHostDlg::OnEraseBkgnd>()};
        static const MessageMap map = MakeMessageMap(&CDialogEx::GetThisMessageMap, entries);
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (LOWORD(wParam) == IDC_SKIN_TEST_BUTTON)
            notifications.push_back(HIWORD(wParam));
        return CDialogEx::OnCommand(wParam, lParam);
    }
    BOOL OnEraseBkgnd(CDC* dc) {
        CRect rect;
        GetClientRect(&rect);
        CBrush brush;
        brush.CreateSolidBrush(kBackground);
        ::FillRect(*dc, &rect, brush);
        return TRUE;
    }
};

class ImageButton : public ::testing::Test {
protected:
    void SetUp() override {
        ::SetCursorPos(1270, 1000);  // only the messages sent here move "the pointer"
        ASSERT_TRUE(m_host.Create(IDD_SKIN_TEST_HOST));
        m_hButton = ::GetDlgItem(m_host, IDC_SKIN_TEST_BUTTON);
    }
    void Attach(UINT strip = 0) {
        ASSERT_TRUE(m_button.SubclassDlgItem(IDC_SKIN_TEST_BUTTON, &m_host));
        m_button.StartGdiPlus();
        EXPECT_NE(m_button.m_gdiplusToken, 0u);
        if (strip != 0)
            m_button.SetImage(strip);
    }
    // The test strip's frame the 8 x 8 button shows once painting is done:
    // its corners and centre must agree. -1: none of them, or mixed.
    int Frame() {
        PumpPending();
        ::UpdateWindow(m_hButton);
        const COLORREF c = PixelOf(m_hButton, 0, 0);
        if (PixelOf(m_hButton, 7, 7) != c || PixelOf(m_hButton, 4, 3) != c)
            return -1;
        for (int k = 0; k < 4; ++k)
            if (c == kFrames[k])
                return k;
        return -1;
    }
    CSize Size() const {
        CRect rect;
        ::GetWindowRect(m_hButton, &rect);
        return {rect.Width(), rect.Height()};
    }

    CHostDlg m_host;
    CPngButton m_button;  // destroyed before the host's window
    HWND m_hButton = nullptr;
};

}  // namespace

TEST_F(ImageButton, IsOneFrameOfItsStripLaidOnTop) {
    Attach();
    CRect before;
    ::GetWindowRect(m_hButton, &before);
    struct Case {
        UINT id;
        int cx, cy;
    };
    for (Case c : {Case{IDB_PNG_LOGIN_MIN, 27, 27}, Case{IDB_PNG_CONFIRM_OK, 74, 26}, Case{IDB_PNG_CLOSE, 30, 30},
                   Case{IDB_SKIN_TEST_MISSING, 0, 0}, Case{IDB_SKIN_TEST_GARBAGE, 0, 0}}) {
        m_button.SetImage(c.id);
        CRect rect;
        ::GetWindowRect(m_hButton, &rect);
        EXPECT_EQ(rect.TopLeft().x, before.left);
        EXPECT_EQ(rect.TopLeft().y, before.top);
        EXPECT_EQ(rect.Width(), c.cx) << c.id;
        EXPECT_EQ(rect.Height(), c.cy) << c.id;
        EXPECT_EQ(m_button.m_nWidth, static_cast<UINT>(c.cx)) << c.id;
    }
    CPngButton other;
    ASSERT_TRUE(other.SubclassDlgItem(IDC_SKIN_TEST_OTHER, &m_host));
    other.SetImage(IDB_PNG_CLOSE);
    EXPECT_EQ(::GetWindow(m_host, GW_CHILD), other.m_hWnd);
    m_button.SetImage(IDB_PNG_CLOSE);
    EXPECT_EQ(::GetWindow(m_host, GW_CHILD), m_hButton);
}

TEST_F(ImageButton, PaintsNothingBeforeItHasAnImage) {
    Attach();
    EXPECT_EQ(m_button.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    // The host paints under the button, then the button paints.
    ::RedrawWindow(m_host, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    CClientDC dc(m_hButton);
    EXPECT_EQ(m_button.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc())), TRUE);
    const CSize size = Size();
    for (POINT p : {POINT{0, 0}, POINT{size.cx - 1, size.cy - 1}, POINT{size.cx / 2, size.cy / 2}})
        EXPECT_EQ(PixelOf(m_hButton, p.x, p.y), kBackground) << p.x << "," << p.y;
}

TEST_F(ImageButton, ShowsTheFrameOfItsState) {
    Attach(IDB_PNG_CLOSE);
    m_button.SetImage(IDB_SKIN_TEST_STRIP);  // replaces the first
    EXPECT_EQ(Size().cx, 8);
    EXPECT_EQ(Frame(), 0);
    const LPARAM at = MAKELPARAM(3, 3);
    m_button.SendMessage(WM_MOUSEMOVE, 0, at);
    EXPECT_TRUE(m_button.m_bTracking);
    EXPECT_EQ(Frame(), 0);  // hover comes only when reported
    m_button.SendMessage(WM_MOUSEHOVER, 0, at);
    EXPECT_EQ(Frame(), 1);
    m_button.SendMessage(BM_SETSTATE, TRUE);
    EXPECT_EQ(Frame(), 2);
    m_button.SendMessage(BM_SETSTATE, FALSE);
    EXPECT_EQ(Frame(), 1);
    m_button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    EXPECT_EQ(Frame(), 2);
    m_button.SendMessage(WM_LBUTTONUP, 0, at);
    EXPECT_EQ(Frame(), 1);
    m_button.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(Frame(), 0);
    EXPECT_FALSE(m_button.m_bHover);
    m_button.SendMessage(WM_MOUSEMOVE, 0, at);  // the next stay asks again
    EXPECT_TRUE(m_button.m_bTracking);
}

namespace {
// Under the image button: what reaches the control's own procedure.
std::vector<UINT> g_received;
WNDPROC g_buttonProc = nullptr;
LRESULT CALLBACK RecordingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_LBUTTONDOWN && message <= WM_LBUTTONDBLCLK)
        g_received.push_back(message);
    return ::CallWindowProcW(g_buttonProc, hWnd, message, wParam, lParam);
}
}  // namespace

TEST_F(ImageButton, TakesADoubleClickAsTwoPresses) {
    g_buttonProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(m_hButton, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProc)));
    Attach(IDB_SKIN_TEST_STRIP);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        m_button.SendMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(3, 3));
    PumpPending();
    EXPECT_EQ(g_received, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));
    EXPECT_EQ(m_host.notifications, (std::vector<UINT>{BN_CLICKED, BN_CLICKED}));
}

TEST_F(ImageButton, AsksForTheHandCursorWhateverItsState) {
    Attach(IDB_SKIN_TEST_STRIP);
    for (BOOL pressed : {FALSE, TRUE}) {
        m_button.SendMessage(BM_SETSTATE, pressed);
        for (WORD hit : {WORD{HTCLIENT}, WORD{HTBORDER}}) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
            EXPECT_EQ(m_button.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_hButton), MAKELPARAM(hit, WM_MOUSEMOVE)),
                      TRUE);
            EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));
        }
    }
}

TEST_F(ImageButton, GivesBackItsDrawingContextWhenDestroyed) {
    Attach(IDB_SKIN_TEST_STRIP);
    EXPECT_NE(m_button.m_windowDC.Get(), nullptr);
    EXPECT_NE(m_button.m_pGraphics, nullptr);
    m_host.DestroyWindow();
    EXPECT_EQ(m_button.m_hWnd, nullptr);
    EXPECT_EQ(m_button.m_windowDC.Get(), nullptr);
    EXPECT_EQ(m_button.m_pGraphics, nullptr);
}
