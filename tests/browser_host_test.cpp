// The external object and the host interface every hosted page talks to.
#include <gtest/gtest.h>
#include <mshtmhst.h>

#include "CustomControlSite.h"
#include "CustomOccManager.h"
#include "ImpIDispatch.h"
#include "OleControlContainer.h"
#include "ScriptExternal.h"
#include "Wnd.h"
#include "CmdTarget.h"

namespace {
CImpIDispatch g_external;
}  // namespace

IDispatch* AfxGetScriptExternal() {
    return &g_external;
}

namespace {

struct Names {
    std::vector<LPOLESTR> names;
    std::vector<DISPID> ids;
    explicit Names(std::initializer_list<const wchar_t*> list) {
        for (const wchar_t* n : list)
            names.push_back(const_cast<LPOLESTR>(n));
        ids.assign(names.size(), 777);
    }
    HRESULT Lookup(IDispatch& d, LCID lcid = LOCALE_USER_DEFAULT) {
        return d.GetIDsOfNames(IID_NULL, names.empty() ? nullptr : names.data(), static_cast<UINT>(names.size()), lcid,
                               ids.data());
    }
};

DISPID IdOf(const wchar_t* name) {
    Names n{name};
    n.Lookup(g_external);
    return n.ids[0];
}

}  // namespace

TEST(ExternalObject, NamesMatchOnTheirFirstThreeCharactersCaseButNotWidth) {
    EXPECT_EQ(IdOf(L"xxyyzz"), 12345);
    EXPECT_EQ(IdOf(L"xxy"), 12345);
    EXPECT_EQ(IdOf(L"xxyanything"), 12345);
    EXPECT_EQ(IdOf(L"\xFF58\xFF58\xFF59"), 12345);  // full-width x x y
    EXPECT_EQ(IdOf(L"XXYYZZ"), DISPID_UNKNOWN);
    EXPECT_EQ(IdOf(L"xXyyzz"), DISPID_UNKNOWN);
    EXPECT_EQ(IdOf(L"xyyzz"), DISPID_UNKNOWN);
    // Shorter names never match and are not read past their end.
    EXPECT_EQ(IdOf(L"xx"), DISPID_UNKNOWN);
    EXPECT_EQ(IdOf(L""), DISPID_UNKNOWN);
    EXPECT_EQ(IdOf(nullptr), DISPID_UNKNOWN);

    Names two{L"xxyyzz", L"other"};
    EXPECT_EQ(two.Lookup(g_external), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(two.ids, (std::vector<DISPID>{12345, DISPID_UNKNOWN}));
    Names none{};
    EXPECT_EQ(none.Lookup(g_external), S_OK);
    Names one{L"xxyyzz"};
    EXPECT_EQ(one.Lookup(g_external), S_OK);
    // Names without anywhere to put their numbers: refused, nothing written.
    LPOLESTR name = const_cast<LPOLESTR>(L"xxyyzz");
    EXPECT_EQ(g_external.GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, nullptr), E_POINTER);
    EXPECT_EQ(g_external.GetIDsOfNames(IID_NULL, nullptr, 0, LOCALE_USER_DEFAULT, nullptr), S_OK);
}

TEST(ExternalObject, ThePropertyReadsWibbleOnlyWhenAskedAsAProperty) {
    DISPPARAMS none{};
    VARIANT result;
    ::VariantInit(&result);
    EXPECT_EQ(g_external.Invoke(12345, IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, &result, nullptr,
                                nullptr), S_OK);
    ASSERT_EQ(V_VT(&result), VT_BSTR);
    EXPECT_STREQ(V_BSTR(&result), L"Wibble");
    ::VariantClear(&result);

    V_VT(&result) = VT_I4;
    V_I4(&result) = 99;
    EXPECT_EQ(g_external.Invoke(12345, IID_NULL, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(V_VT(&result), VT_I4);  // untouched
    EXPECT_EQ(g_external.Invoke(4, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(V_VT(&result), VT_I4);
    EXPECT_EQ(g_external.Invoke(12345, IID_NULL, 0, DISPATCH_PROPERTYGET, nullptr, nullptr, nullptr, nullptr), S_OK);

    UINT count = 5;
    EXPECT_EQ(g_external.GetTypeInfoCount(&count), E_NOTIMPL);
    EXPECT_EQ(count, 5u);
}

TEST(ExternalObject, OnlyIDispatchIsAnsweredAndTheCountNeverDeletes) {
    CImpIDispatch object;
    void* out = &object;
    EXPECT_EQ(object.QueryInterface(IID_IUnknown, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(object.QueryInterface(IID_IDispatch, &out), S_OK);
    EXPECT_EQ(out, static_cast<IDispatch*>(&object));
    EXPECT_EQ(object.RefCount(), 1);
    object.Release();
    EXPECT_EQ(object.Release(), static_cast<ULONG>(-1));
    EXPECT_EQ(object.RefCount(), -1);  // below zero, and still usable
    EXPECT_EQ(IdOf(L"xxyyzz"), 12345);
}

TEST(HostInterface, AnswersEverySlotAsThePagePolicySays) {
    CWnd owner;
    COleControlContainer container(&owner);
    CCustomOccManager manager;
    std::unique_ptr<COleControlSite> site(manager.CreateSite(&container));
    auto* custom = dynamic_cast<CCustomControlSite*>(site.get());
    ASSERT_NE(custom, nullptr);

    // The handler is reached from the client site and from itself, as one object.
    IOleClientSite* client = nullptr;
    ASSERT_EQ(site->ExternalQueryInterface(IID_IOleClientSite, reinterpret_cast<void**>(&client)), S_OK);
    IDocHostUIHandler* handler = nullptr;
    ASSERT_EQ(client->QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&handler)), S_OK);
    EXPECT_EQ(handler, &custom->m_xDocHostUIHandler);
    IDocHostUIHandler* again = nullptr;
    ASSERT_EQ(handler->QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&again)), S_OK);
    EXPECT_EQ(again, handler);
    IUnknown* identity1 = nullptr;
    IUnknown* identity2 = nullptr;
    handler->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity1));
    client->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity2));
    EXPECT_EQ(identity1, identity2);
    const ULONG count = site->RefCount();
    handler->AddRef();
    EXPECT_EQ(site->RefCount(), count + 1);
    handler->Release();

    DOCHOSTUIINFO info{};
    info.cbSize = sizeof(info);
    info.pchHostCss = reinterpret_cast<OLECHAR*>(0x1234);
    info.dwFlags = 0xFFFF0000;
    info.dwDoubleClick = 7;
    EXPECT_EQ(handler->GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.dwFlags, 12u);
    EXPECT_EQ(info.dwDoubleClick, 0u);
    EXPECT_EQ(info.cbSize, sizeof(info));
    EXPECT_EQ(info.pchHostCss, reinterpret_cast<OLECHAR*>(0x1234));

    POINT pt{1, 2};
    EXPECT_EQ(handler->ShowContextMenu(0, &pt, nullptr, nullptr), S_OK);
    EXPECT_EQ(handler->ShowUI(0, nullptr, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(handler->HideUI(), S_OK);
    EXPECT_EQ(handler->UpdateUI(), S_OK);
    EXPECT_EQ(handler->EnableModeless(TRUE), E_NOTIMPL);
    EXPECT_EQ(handler->OnDocWindowActivate(TRUE), E_NOTIMPL);
    EXPECT_EQ(handler->OnFrameWindowActivate(TRUE), E_NOTIMPL);
    EXPECT_EQ(handler->ResizeBorder(nullptr, nullptr, TRUE), E_NOTIMPL);
    MSG msg{};
    EXPECT_EQ(handler->TranslateAccelerator(&msg, nullptr, 0), S_FALSE);
    LPOLESTR key = reinterpret_cast<LPOLESTR>(0x55);
    EXPECT_EQ(handler->GetOptionKeyPath(&key, 0), E_NOTIMPL);
    EXPECT_EQ(key, reinterpret_cast<LPOLESTR>(0x55));
    IDropTarget* drop = reinterpret_cast<IDropTarget*>(0x66);
    EXPECT_EQ(handler->GetDropTarget(nullptr, &drop), E_NOTIMPL);
    EXPECT_EQ(drop, reinterpret_cast<IDropTarget*>(0x66));
    LPWSTR url = reinterpret_cast<LPWSTR>(0x77);
    EXPECT_EQ(handler->TranslateUrl(0, const_cast<LPWSTR>(L"http://x/"), &url), E_NOTIMPL);
    EXPECT_EQ(url, reinterpret_cast<LPWSTR>(0x77));
    IDataObject* data = reinterpret_cast<IDataObject*>(0x88);
    EXPECT_EQ(handler->FilterDataObject(nullptr, &data), E_NOTIMPL);
    EXPECT_EQ(data, reinterpret_cast<IDataObject*>(0x88));

    // window.external is the one object, one more reference each time.
    const LONG before = g_external.RefCount();
    IDispatch* external = nullptr;
    EXPECT_EQ(handler->GetExternal(&external), S_OK);
    EXPECT_EQ(external, &g_external);
    EXPECT_EQ(handler->GetExternal(&external), S_OK);
    EXPECT_EQ(g_external.RefCount(), before + 2);

    handler->Release();
    again->Release();
    identity1->Release();
    identity2->Release();
    client->Release();
}

namespace {
// An event sink as the login panel has one: it records what it was given.
class CEventProbe : public CCmdTarget {
public:
    int calls = 0;
    std::wstring url;
    void OnBeforeNavigate2(IDispatch*, VARIANT* address, VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT_BOOL* cancel) {
        ++calls;
        url = V_VT(address) == VT_BSTR ? V_BSTR(address) : L"?";
        *cancel = VARIANT_TRUE;
    }
    void OnNavigateComplete2(IDispatch*, VARIANT*) { ++calls; }
    static const EventSinkMap* GetThisEventSinkMap() {
        static const EventSinkEntry entries[] = {
            eventsink::On<1000, 250, &CEventProbe::OnBeforeNavigate2>(),
            eventsink::On<1000, 252, &CEventProbe::OnNavigateComplete2>(),
        };
        static const EventSinkMap map = MakeEventSinkMap(&CCmdTarget::GetThisEventSinkMap, entries);
        return &map;
    }
    const EventSinkMap* GetEventSinkMap() const override { return GetThisEventSinkMap(); }
};

// BeforeNavigate2's seven arguments as a real control sends them, last first.
struct BeforeNavigateArgs {
    VARIANT url, flags, frame, post, headers;
    VARIANT args[7];
    struct {
        VARIANT_BOOL value = VARIANT_FALSE;
        short guard = 0x1234;  // the two bytes after it must stay
    } cancel;
    BeforeNavigateArgs() {
        for (VARIANT* v : {&url, &flags, &frame, &post, &headers})
            ::VariantInit(v);
        V_VT(&url) = VT_BSTR;
        V_BSTR(&url) = ::SysAllocString(L"http://a.test/?client=1");
        V_VT(&flags) = VT_I4;
        VARIANT* byRef[] = {&url, &flags, &frame, &post, &headers};
        V_VT(&args[6]) = VT_DISPATCH;
        V_DISPATCH(&args[6]) = &g_external;
        for (int i = 0; i < 5; ++i) {
            V_VT(&args[5 - i]) = VT_BYREF | VT_VARIANT;
            V_VARIANTREF(&args[5 - i]) = byRef[i];
        }
        V_VT(&args[0]) = VT_BYREF | VT_BOOL;
        V_BOOLREF(&args[0]) = &cancel.value;
    }
    ~BeforeNavigateArgs() { ::VariantClear(&url); }
    DISPPARAMS Params(UINT count = 7) { return DISPPARAMS{args + (7 - count), nullptr, count, 0}; }
};
}  // namespace

TEST(EventSink, EventsReachTheirEntriesUnpackedAndMalformedOnesAreIgnored) {
    CEventProbe probe;
    BeforeNavigateArgs a;
    DISPPARAMS params = a.Params();
    EXPECT_TRUE(probe.OnEvent(1000, 250, &params));
    EXPECT_EQ(probe.calls, 1);
    EXPECT_EQ(probe.url, L"http://a.test/?client=1");
    EXPECT_EQ(a.cancel.value, VARIANT_TRUE);
    EXPECT_EQ(a.cancel.guard, 0x1234);

    EXPECT_FALSE(probe.OnEvent(1000, 259, &params));  // no entry
    EXPECT_FALSE(probe.OnEvent(1001, 250, &params));  // another control
    DISPPARAMS fewer = a.Params(6);
    EXPECT_FALSE(probe.OnEvent(1000, 250, &fewer));
    EXPECT_FALSE(probe.OnEvent(1000, 250, nullptr));
    V_VT(&a.args[0]) = VT_BOOL;  // Cancel not by reference
    EXPECT_FALSE(probe.OnEvent(1000, 250, &params));
    V_VT(&a.args[0]) = VT_BYREF | VT_BOOL;
    V_VARIANTREF(&a.args[5]) = nullptr;  // a null address reference
    EXPECT_FALSE(probe.OnEvent(1000, 250, &params));
    V_VT(&a.args[6]) = VT_I4;  // pDisp of the wrong type
    EXPECT_FALSE(probe.OnEvent(1000, 250, &params));
    EXPECT_EQ(probe.calls, 1);
}
