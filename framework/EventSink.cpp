#include "EventSink.h"
#include <cstring>

bool UnpackEventArguments(const char* paramTypes, const DISPPARAMS* params, void** args, std::size_t capacity) {
    const std::size_t count = paramTypes ? std::strlen(paramTypes) : 0;
    if (count > capacity || params == nullptr || params->cArgs != count || (count > 0 && params->rgvarg == nullptr))
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        // Arguments come last first.
        VARIANT& arg = params->rgvarg[count - 1 - i];
        switch (paramTypes[i]) {
        case VTS_DISPATCH:
            if (V_VT(&arg) == VT_DISPATCH)
                args[i] = V_DISPATCH(&arg);
            else if (V_VT(&arg) == (VT_BYREF | VT_DISPATCH) && V_DISPATCHREF(&arg) != nullptr)
                args[i] = *V_DISPATCHREF(&arg);
            else
                return false;
            break;
        case VTS_PVARIANT:
            if (V_VT(&arg) == (VT_BYREF | VT_VARIANT)) {
                if (V_VARIANTREF(&arg) == nullptr)
                    return false;
                args[i] = V_VARIANTREF(&arg);
            } else if (V_VT(&arg) & VT_BYREF) {
                return false;
            } else {
                args[i] = &arg;  // a value passed directly
            }
            break;
        case VTS_PBOOL:
            if (V_VT(&arg) != (VT_BYREF | VT_BOOL) || V_BOOLREF(&arg) == nullptr)
                return false;
            args[i] = V_BOOLREF(&arg);
            break;
        case VTS_BSTR:
            if (V_VT(&arg) != VT_BSTR)
                return false;
            args[i] = V_BSTR(&arg);
            break;
        case VTS_I4:
            if (V_VT(&arg) != VT_I4)
                return false;
            args[i] = reinterpret_cast<void*>(static_cast<intptr_t>(V_I4(&arg)));
            break;
        default:
            return false;
        }
    }
    return true;
}
