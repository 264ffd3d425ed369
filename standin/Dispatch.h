#pragma once
// Small pieces of automation shared by the control and its frames.
#include <windows.h>
#include <oleauto.h>

#include <string>

namespace standin {

class Variant {
public:
    Variant() { ::VariantInit(&m_value); }
    explicit Variant(const std::wstring& text);
    explicit Variant(LONG number) : Variant() {
        m_value.vt = VT_I4;
        m_value.lVal = number;
    }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { ::VariantClear(&m_value); }

    VARIANT* Get() { return &m_value; }
    // An argument pointing at this variant (VT_BYREF | VT_VARIANT).
    VARIANTARG Ref();

private:
    VARIANT m_value;
};

// The WebBrowser members the stand-in serves, by their dispatch ids.
constexpr DISPID kDispidNavigate = 104;
constexpr DISPID kDispidNavigate2 = 500;
constexpr DISPID kDispidLocationName = 210;
constexpr DISPID kDispidLocationUrl = 211;
constexpr DISPID kDispidRefresh = -550;
constexpr DISPID kDispidAmbientDownloadControl = -5512;

struct DispatchName {
    const wchar_t* name;
    DISPID id;
};

// GetIDsOfNames over a fixed table; automation names ignore case.
HRESULT LookUpNames(const DispatchName* table, size_t size, LPOLESTR* names, UINT count, DISPID* ids);
template <size_t N>
HRESULT LookUpNames(const DispatchName (&table)[N], LPOLESTR* names, UINT count, DISPID* ids) {
    return LookUpNames(table, N, names, count, ids);
}

// A string argument however it is passed (BSTR, by reference, in a VARIANT*).
bool StringArgument(const VARIANTARG& argument, std::wstring* text);
// The text of any value convertible to a string; "undefined" otherwise.
std::wstring ValueText(const VARIANT& value);
HRESULT StringResult(const std::wstring& text, VARIANT* result);
// The arguments in calling order, as the log shows them.
std::string DescribeArguments(const DISPPARAMS* params);

}  // namespace standin
