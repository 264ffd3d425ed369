// Browser containment on the stand-in control, registered in this process:
// what the framework hands the control, what the control's events bring
// back, and what the host's customisation does to the page.
#include <gtest/gtest.h>
#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "DataExchange.h"
#include "Dialog.h"
#include "OleControlSite.h"
#include "LoginApp.h"
#include "StandIn.h"
#include "StandInRecord.h"
#include "WebBrowser2.h"
#include "resource.h"
#include "support/DialogTemplate.h"
#include "support/HttpServer.h"
#include "support/Input.h"
#include "support/Wait.h"
#include "ThreadState.h"

namespace {
// The template's stream block for the browser, as the resource holds it.
std::vector<BYTE> TemplateState(UINT templateId) {
    HRSRC res = ::FindResourceW(nullptr, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(240));
    const BYTE* data = static_cast<const BYTE*>(::LockResource(::LoadResource(nullptr, res)));
    DWORD length = 0;
    std::memcpy(&length, data + 4, 4);
    return std::vector<BYTE>(data + 8, data + 8 + length);
}

RECT TemplateRect(UINT templateId, UINT id, HWND dialog) {
    HRSRC res = ::FindResourceW(nullptr, MAKEINTRESOURCEW(templateId), RT_DIALOG);
    const DialogTemplateInfo info =
        ParseDialogTemplate(::LockResource(::LoadResource(nullptr, res)), ::SizeofResource(nullptr, res));
    for (const DialogItem& item : info.items) {
        if (item.id == id) {
            RECT rect = {item.x, item.y, item.x + item.cx, item.y + item.cy};
            ::MapDialogRect(dialog, &rect);
            return rect;
        }
    }
    return {};
}

struct Event {
    DISPID id;
    std::wstring url;
    IDispatch* source;
    std::wstring target;
};

// A dialog from one of the launcher's browser templates, recording the
// events its event-sink map takes (NavigateError is not among them).
class CBrowserHost : public CDialogEx {
public:
    explicit CBrowserHost(UINT templateId) : CDialogEx(templateId) {}
    ~CBrowserHost() override {
        if (m_hWnd != nullptr)
            DestroyWindow();
    }
    CWebBrowser2 m_browser;
    std::vector<Event> events;
    std::wstring cancelWhenHolding = L"blocked";

    HWND Browser() const { return ::GetDlgItem(m_hWnd, IDC_BROWSER); }
    IDispatch* Control() const { return m_browser.m_pCtrlSite ? m_browser.m_pCtrlSite->m_pDispatch.Get() : nullptr; }
    bool Saw(DISPID id, const std::wstring& url) const {
        return std::any_of(events.begin(), events.end(), [&](const Event& e) { return e.id == id && e.url == url; });
    }

    static const EventSinkMap* GetThisEventSinkMap() {
        static const EventSinkEntry entries[] = {
            eventsink::On<IDC_BROWSER, 250, &CBrowserHost::OnBeforeNavigate2>(),
            eventsink::On<IDC_BROWSER, 252, &CBrowserHost::OnNavigateComplete2>(),
            eventsink::On<IDC_BROWSER, 259, &CBrowserHost::OnDocumentComplete>(),
        };
        static const EventSinkMap map = MakeEventSinkMap(&CDialogEx::GetThisEventSinkMap, entries);
        return &map;
    }
    const EventSinkMap* GetEventSinkMap() const override { return GetThisEventSinkMap(); }

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_BROWSER, m_browser); }
    void OnOK() override {}
    void OnCancel() override {}
    void OnBeforeNavigate2(IDispatch* source, VARIANT* url, VARIANT* flags, VARIANT* target, VARIANT*, VARIANT*,
                           VARIANT_BOOL* cancel) {
        EXPECT_EQ(V_VT(flags), VT_I4);
        EXPECT_EQ(*cancel, VARIANT_FALSE);
        events.push_back({250, Text(url), source, Text(target)});
        if (!cancelWhenHolding.empty() && events.back().url.find(cancelWhenHolding) != std::wstring::npos)
            *cancel = VARIANT_TRUE;
    }
    void OnNavigateComplete2(IDispatch* source, VARIANT* url) { events.push_back({252, Text(url), source, {}}); }
    void OnDocumentComplete(IDispatch* source, VARIANT* url) { events.push_back({259, Text(url), source, {}}); }

private:
    static std::wstring Text(const VARIANT* value) {
        return V_VT(value) == VT_BSTR && V_BSTR(value) ? V_BSTR(value) : L"";
    }
};

class StandInBrowser : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        registration = new standin::ClassRegistration;
        theApp.CreateServices();  // as start-up makes them
    }
    static void TearDownTestSuite() {
        delete registration;
        theApp.DeleteServices();
    }
    void SetUp() override {
        ASSERT_EQ(registration->Result(), S_OK);
        standin::ClearLog();
    }
    void TearDown() override { PumpPending(); }

    // Opens a host on `templateId` and shows it at the top left.
    void Open(CBrowserHost& host, UINT templateId = IDD_LOGIN_PANEL) {
        ASSERT_TRUE(host.Create(templateId, nullptr));
        ::SetWindowPos(host.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        host.m_browser.ShowWindow(SW_SHOW);
    }
    // Navigates and waits for the page's DocumentComplete.
    void Load(CBrowserHost& host, const std::string& path) {
        host.m_browser.Navigate(server.Url(path).c_str());
        ASSERT_TRUE(PumpUntil([&] { return host.Saw(259, server.Url(path)); }, 10000)) << path;
    }

    static standin::ClassRegistration* registration;
    HttpServer server;
};
standin::ClassRegistration* StandInBrowser::registration = nullptr;
}  // namespace

TEST_F(StandInBrowser, EachTemplateHandsItsStateUnchangedAndPlacesTheControlHidden) {
    for (UINT templateId : {IDD_GAME_DIALOG, IDD_LOGIN_PANEL}) {
        SCOPED_TRACE(templateId);
        CBrowserHost host(templateId);
        ASSERT_TRUE(host.Create(templateId, nullptr));
        const HWND browser = host.Browser();
        ASSERT_NE(browser, nullptr);
        wchar_t className[64] = {};
        ::GetClassNameW(browser, className, 64);
        EXPECT_STREQ(className, standin::WindowClassName());

        const std::vector<BYTE> state = TemplateState(templateId);
        EXPECT_EQ(state.size(), 160u);
        EXPECT_EQ(standin::PersistedState(browser), state);
        EXPECT_EQ(::GetDlgCtrlID(browser), IDC_BROWSER);
        EXPECT_FALSE(::GetWindowLongW(browser, GWL_STYLE) & WS_VISIBLE);
        RECT placed = {};
        ::GetWindowRect(browser, &placed);
        ::MapWindowPoints(nullptr, host.m_hWnd, reinterpret_cast<POINT*>(&placed), 2);
        const RECT expected = TemplateRect(templateId, IDC_BROWSER, host.m_hWnd);
        EXPECT_TRUE(::EqualRect(&placed, &expected))
            << placed.left << "," << placed.top << "," << placed.right << "," << placed.bottom;
    }
    // The control met its site in the documented order and got user mode.
    const auto lines = standin::LogLines();
    const std::vector<std::string> order = {"SetClientSite site=1", "Ambient UserMode hr=0 value=True",
                                            "QueryInterface IDocHostUIHandler hr=0", "GetWindow hr=0",
                                            "CanInPlaceActivate hr=0", "OnInPlaceActivate hr=0"};
    auto at = lines.begin();
    for (const std::string& line : order) {
        at = std::find(at, lines.end(), line);
        EXPECT_NE(at, lines.end()) << line;
    }
    EXPECT_TRUE(Logged("Ambient DLControl hr=0x80020003"));  // member not found: the control's default
}

TEST_F(StandInBrowser, NavigateAndRefreshArriveAsTheWrapperBuildsThem) {
    server.Serve("/page", "<p>Hello</p>");
    CBrowserHost host(IDD_LOGIN_PANEL);
    Open(host);
    const std::wstring url = server.Url("/page");
    Load(host, "/page");
    // The address as a BSTR, then four references to one empty variant.
    EXPECT_TRUE(Logged("Invoke dispid=104 flags=1 args=8:" + Narrow(url) +
                       ",400c>0#1,400c>0#1,400c>0#1,400c>0#1"));
    EXPECT_EQ(standin::PageText(host.Browser()), L"Hello");

    const size_t eventsBefore = host.events.size();
    server.Serve("/page", "<p>Hello again</p>");
    EXPECT_EQ(host.m_browser.Refresh(), S_OK);
    EXPECT_TRUE(Logged("Invoke dispid=-550 flags=1 args="));
    ASSERT_TRUE(PumpUntil([&] { return server.RequestCount("/page") == 2; }, 10000));
    EXPECT_TRUE(PumpUntil([&] { return standin::PageText(host.Browser()) == L"Hello again"; }, 5000));
    EXPECT_EQ(host.events.size(), eventsBefore);  // a refresh fires no navigation events
}

TEST_F(StandInBrowser, EventsReachTheSinkMapAndACancelKeepsTheRequestFromTheServer) {
    server.Serve("/page", "<a href=\"/blocked\">stop</a> <a href=\"/missing\">gone</a>");
    CBrowserHost host(IDD_LOGIN_PANEL);
    Open(host);
    const std::wstring url = server.Url("/page");
    host.m_browser.Navigate(url.c_str());
    // BeforeNavigate2 comes inside Navigate; the rest from the message loop.
    ASSERT_EQ(host.events.size(), 1u);
    EXPECT_EQ(host.events[0].id, 250);
    EXPECT_EQ(host.events[0].url, url);
    EXPECT_EQ(host.events[0].source, host.Control());
    EXPECT_EQ(server.Requests().size(), 0u);
    ASSERT_TRUE(PumpUntil([&] { return host.Saw(259, url); }, 10000));
    ASSERT_EQ(host.events.size(), 3u);
    EXPECT_EQ(host.events[1].id, 252);
    EXPECT_EQ(host.events[1].url, url);
    EXPECT_EQ(host.events[2].source, host.Control());

    // A cancelled navigation: nothing fetched, nothing more fired.
    ASSERT_TRUE(standin::ClickLink(host.Browser(), 0));
    EXPECT_TRUE(Logged("BeforeNavigate2 url=" + Narrow(server.Url("/blocked")) + " cancel=1"));
    PumpPending();
    EXPECT_EQ(server.RequestCount("/blocked"), 0u);
    EXPECT_EQ(host.events.size(), 4u);

    // A 404 fires NavigateError, which the map does not take: ignored.
    ASSERT_TRUE(standin::ClickLink(host.Browser(), 1));
    const std::string missing = Narrow(server.Url("/missing"));
    ASSERT_TRUE(PumpUntil([&] { return Logged("NavigateError url=" + missing + " status=404 cancel=0"); }, 10000));
    EXPECT_FALSE(host.Saw(252, server.Url("/missing")));
    EXPECT_FALSE(standin::ClickLink(host.Browser(), 9));
}

TEST_F(StandInBrowser, FramesNavigateAsFramesAndTheTopPageCompletesLast) {
    server.Serve("/top", "<p>Top</p><iframe name=\"side\" src=\"/frame\"></iframe><p>End</p>");
    server.Serve("/frame", "<a href=\"/frame2\">next</a>");
    server.Serve("/frame2", "<p>Second</p>");
    CBrowserHost host(IDD_LOGIN_PANEL);
    Open(host);
    Load(host, "/top");
    const std::wstring top = server.Url("/top");
    const std::wstring frame = server.Url("/frame");
    ASSERT_EQ(host.events.size(), 6u);
    const DISPID order[] = {250, 252, 250, 252, 259, 259};
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(host.events[i].id, order[i]) << i;
    EXPECT_EQ(host.events[2].url, frame);
    EXPECT_EQ(host.events[2].target, L"side");
    IDispatch* frameObject = host.events[2].source;
    EXPECT_NE(frameObject, host.Control());
    EXPECT_EQ(host.events[4].source, frameObject);
    EXPECT_EQ(host.events[5].url, top);
    EXPECT_EQ(host.events[5].source, host.Control());
    EXPECT_EQ(standin::PageText(host.Browser()), L"Top\nnext\nEnd");

    // A link in the frame navigates the frame, not the page.
    host.events.clear();
    ASSERT_TRUE(standin::ClickLink(host.Browser(), 0));
    ASSERT_TRUE(PumpUntil([&] { return host.Saw(259, server.Url("/frame2")); }, 10000));
    EXPECT_EQ(host.events[0].source, frameObject);
    EXPECT_FALSE(host.Saw(259, top));
    EXPECT_EQ(standin::PageText(host.Browser()), L"Top\nSecond\nEnd");
}

TEST_F(StandInBrowser, AMetaRefreshNavigatesAndAnErrorPageShowsWhenNotCancelled) {
    server.Serve("/wait", "<meta http-equiv=\"refresh\" content=\"0; url=/next\"><p>Wait</p>");
    server.Serve("/next", "<p>Arrived</p>");
    CBrowserHost host(IDD_LOGIN_PANEL);
    Open(host);
    Load(host, "/wait");
    ASSERT_TRUE(PumpUntil([&] { return host.Saw(259, server.Url("/next")); }, 10000));
    EXPECT_TRUE(host.Saw(250, server.Url("/next")));
    EXPECT_EQ(standin::PageText(host.Browser()), L"Arrived");

    host.m_browser.Navigate(server.Url("/nowhere").c_str());
    ASSERT_TRUE(PumpUntil([&] { return !LoggedStartingWith("NavigateError").empty(); }, 10000));
    EXPECT_EQ(standin::PageText(host.Browser()), L"The page could not be shown (status 404).");
}

TEST_F(StandInBrowser, TheHostsCustomisationShapesThePage) {
    server.Serve("/login", "<p>Value: <standin-external name=\"xxyyzz\"> and <standin-external name=\"nope\"></p>");
    CBrowserHost host(IDD_LOGIN_PANEL);
    Open(host);
    Load(host, "/login");
    EXPECT_EQ(standin::PageText(host.Browser()), L"Value: Wibble and undefined");
    EXPECT_TRUE(Logged("GetHostInfo hr=0 flags=12 dblclk=0"));
    EXPECT_FALSE(::GetWindowLongW(host.Browser(), GWL_STYLE) & WS_VSCROLL);
    EXPECT_FALSE(::GetWindowLongW(host.Browser(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(Logged("External.GetIDsOfNames name=xxyyzz hr=0 id=12345"));
    EXPECT_TRUE(Logged("External.Invoke id=12345 flags=2 hr=0 value=Wibble"));

    // A right click asks the host, which keeps the control's own menu away.
    ::SendMessageW(host.Browser(), WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    const auto asked = LoggedStartingWith("ShowContextMenu");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NE(asked[0].find(" hr=0"), std::string::npos);
}

TEST_F(StandInBrowser, TypedKeysPassTheHostAndReachThePageForm) {
    server.Serve("/form", "<form>Name <input type=\"text\" value=\"\"> <input type=hidden value=x></form>");
    CBrowserHost host(IDD_LOGIN_PANEL);
    Open(host);
    Load(host, "/form");
    ASSERT_EQ(standin::PageText(host.Browser()), L"Name []");
    ::SetForegroundWindow(host.m_hWnd);
    ClickAt(ClientToScreenPoint(host.Browser(), 300, 200));
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == host.Browser(); }, 5000));
    for (WORD key : {WORD('A'), WORD('B'), WORD(VK_BACK), WORD('C'), WORD(VK_RETURN), WORD(VK_ESCAPE)})
        PressKey(key);
    EXPECT_TRUE(PumpUntil([&] { return standin::PageText(host.Browser()) == L"Name [ac]"; }, 5000, AfxPreTranslateMessage))
        << Narrow(standin::PageText(host.Browser()));
    // Each key went to the host's handler first, then to the page.
    EXPECT_TRUE(Logged("IDocHostUIHandler::TranslateAccelerator vk=0x41 hr=1"));
    EXPECT_TRUE(PumpUntil([&] { return Logged("Key vk=0x1b"); }, 2000, AfxPreTranslateMessage));
    EXPECT_TRUE(Logged("Key vk=0xd"));
    EXPECT_TRUE(::IsWindow(host.m_hWnd));
}

TEST_F(StandInBrowser, TeardownReleasesTheControlInOrder) {
    {
        CBrowserHost host(IDD_GAME_DIALOG);
        ASSERT_TRUE(host.Create(IDD_GAME_DIALOG, nullptr));
        EXPECT_GT(standin::LiveObjects(), 0);
        standin::ClearLog();
    }
    PumpPending();
    EXPECT_EQ(standin::LiveObjects(), 0);
    const auto lines = standin::LogLines();
    const std::vector<std::string> order = {"InPlaceDeactivate", "OnInPlaceDeactivate hr=0",
                                            "Unadvise cookie=1 hr=0", "SetClientSite site=0", "Close"};
    auto at = lines.begin();
    for (const std::string& line : order) {
        at = std::find(at, lines.end(), line);
        EXPECT_NE(at, lines.end()) << line;
    }
}
