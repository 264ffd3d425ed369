#pragma once
// The script-visible external object: one read-only property, "xxyyzz"
// (any name starting with those three characters), reading "Wibble". The
// operator's pages test for it to tell that they run inside the launcher
// rather than in a plain browser; name and value are what those pages look
// for, so they stay as they are. It answers only IID_IDispatch: a page's
// script engine asks for nothing else, and as it has no IUnknown identity of
// its own to give, a request for one is refused rather than answered with
// the dispatch interface.
#include <oaidl.h>

class CImpIDispatch final : public IDispatch {
public:
    static constexpr DISPID kDispidMember = 12345;

    CImpIDispatch() = default;
    CImpIDispatch(const CImpIDispatch&) = delete;
    CImpIDispatch& operator=(const CImpIDispatch&) = delete;

    // The count is informational: nothing is deleted when it reaches zero;
    // the owner deletes the object.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++m_cRef); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--m_cRef); }
    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                        UINT*) override;

    LONG RefCount() const { return m_cRef; }

private:
    LONG m_cRef = 0;
};
