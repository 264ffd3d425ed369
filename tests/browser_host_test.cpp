// The external object and the host interface every hosted page talks to.
#include <gtest/gtest.h>
#include <mshtmhst.h>

#include "CustomControlSite.h"
#include "CustomOccManager.h"
#include "ImpIDispatch.h"
#include "OleControlContainer.h"
#include "ScriptExternal.h"
#include "Wnd.h"

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
