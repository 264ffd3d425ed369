#include "Dispatch.h"

#include <cstdio>
#include <vector>

#include "Text.h"

namespace standin {

Variant::Variant(const std::wstring& text) : Variant() {
    m_value.vt = VT_BSTR;
    m_value.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

VARIANTARG Variant::Ref() {
    VARIANTARG argument;
    ::VariantInit(&argument);
    argument.vt = VT_BYREF | VT_VARIANT;
    argument.pvarVal = &m_value;
    return argument;
}

HRESULT LookUpNames(const DispatchName* table, size_t size, LPOLESTR* names, UINT count, DISPID* ids) {
    if (count && (!names || !ids))
        return E_POINTER;
    HRESULT result = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        for (size_t k = 0; k < size && names[i]; ++k) {
            if (::CompareStringOrdinal(names[i], -1, table[k].name, -1, TRUE) == CSTR_EQUAL)
                ids[i] = table[k].id;
        }
        if (ids[i] == DISPID_UNKNOWN)
            result = DISP_E_UNKNOWNNAME;
    }
    return result;
}

bool StringArgument(const VARIANTARG& argument, std::wstring* text) {
    VARIANT value;
    ::VariantInit(&value);
    if (FAILED(::VariantChangeType(&value, const_cast<VARIANTARG*>(&argument), VARIANT_ALPHABOOL, VT_BSTR)))
        return false;
    text->assign(value.bstrVal ? value.bstrVal : L"", ::SysStringLen(value.bstrVal));
    ::VariantClear(&value);
    return true;
}

std::wstring ValueText(const VARIANT& value) {
    std::wstring text;
    return value.vt != VT_EMPTY && StringArgument(value, &text) ? text : L"undefined";
}

HRESULT StringResult(const std::wstring& text, VARIANT* result) {
    if (!result)
        return E_POINTER;
    ::VariantInit(result);
    result->vt = VT_BSTR;
    result->bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return result->bstrVal ? S_OK : E_OUTOFMEMORY;
}

std::string DescribeArguments(const DISPPARAMS* params) {
    if (!params || !params->rgvarg)
        return {};
    std::string text;
    std::vector<const VARIANT*> referenced;
    for (UINT i = params->cArgs; i-- > 0;) {
        const VARIANTARG& argument = params->rgvarg[i];
        char type[16];
        std::snprintf(type, sizeof(type), "%x", argument.vt);
        if (i + 1 != params->cArgs)
            text += ',';
        text += type;
        if (argument.vt == VT_BSTR) {
            text += ':' + Utf8(argument.bstrVal ? argument.bstrVal : L"");
        } else if (argument.vt == (VT_BYREF | VT_VARIANT) && argument.pvarVal) {
            size_t k = 0;
            while (k < referenced.size() && referenced[k] != argument.pvarVal)
                ++k;
            if (k == referenced.size())
                referenced.push_back(argument.pvarVal);
            std::snprintf(type, sizeof(type), ">%x#%u", argument.pvarVal->vt, static_cast<unsigned>(k + 1));
            text += type;
        }
    }
    return text;
}

}  // namespace standin
