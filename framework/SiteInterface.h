#pragma once
// A COM interface implemented inside a site object: its IUnknown methods go
// to the site, so every interface shares the site's identity and count.
#include <unknwn.h>

template <class Outer, class Interface>
class CNestedInterface : public Interface {
public:
    explicit CNestedInterface(Outer* outer) : m_pOuter(outer) {}
    CNestedInterface(const CNestedInterface&) = delete;
    CNestedInterface& operator=(const CNestedInterface&) = delete;
    virtual ~CNestedInterface() = default;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return m_pOuter->ExternalQueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return m_pOuter->ExternalAddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return m_pOuter->ExternalRelease(); }

protected:
    Outer* m_pOuter;
};
