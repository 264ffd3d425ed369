#pragma once
// One argument of a dispatch call, tagged with what it is, so that a call
// whose parameter-type bytes and arguments disagree is refused, not made.
#include <oaidl.h>

struct InvokeArg {
    enum class Kind { Bstr, PVariant, Dispatch, PBool, I4 };
    InvokeArg(const wchar_t* s) : kind(Kind::Bstr), text(s) {}
    InvokeArg(VARIANT* v) : kind(Kind::PVariant), variant(v) {}
    InvokeArg(IDispatch* d) : kind(Kind::Dispatch), dispatch(d) {}
    InvokeArg(VARIANT_BOOL* b) : kind(Kind::PBool), flag(b) {}
    InvokeArg(long l) : kind(Kind::I4), number(l) {}

    Kind kind;
    union {
        const wchar_t* text;
        VARIANT* variant;
        IDispatch* dispatch;
        VARIANT_BOOL* flag;
        long number;
    };
};
