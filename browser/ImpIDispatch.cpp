#include "ImpIDispatch.h"

namespace {
constexpr wchar_t kMemberName[] = L"xxyyzz";
constexpr int kComparedLength = 3;
constexpr wchar_t kValue[] = L"Wibble";

// Whether `name` begins with the member name's first three characters,
// letter case counting and character width not. Shorter names (and no name)
// never match, and are never read past their end.
bool MatchesMember(LPCOLESTR name, LCID lcid) {
    if (name == nullptr)
        return false;
    for (int i = 0; i < kComparedLength; ++i)
        if (name[i] == 0)
            return false;
    return ::CompareStringW(lcid, NORM_IGNOREWIDTH, kMemberName, kComparedLength, name, kComparedLength) == CSTR_EQUAL;
}
}  // namespace

STDMETHODIMP CImpIDispatch::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IDispatch))
        return E_NOINTERFACE;
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP CImpIDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) {
    if (ids == nullptr && count != 0)
        return E_POINTER;  // nowhere to answer
    HRESULT result = S_OK;
    for (UINT i = 0; i < count; ++i) {
        if (names != nullptr && MatchesMember(names[i], lcid)) {
            ids[i] = kDispidMember;
        } else {
            ids[i] = DISPID_UNKNOWN;
            result = DISP_E_UNKNOWNNAME;
        }
    }
    return result;
}

STDMETHODIMP CImpIDispatch::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                   UINT*) {
    if (member == kDispidMember && (flags & DISPATCH_PROPERTYGET) && result != nullptr) {
        BSTR value = ::SysAllocString(kValue);
        ::VariantInit(result);
        V_VT(result) = VT_BSTR;
        V_BSTR(result) = value;
    }
    return S_OK;
}
