#pragma once
// The control's one connection point: the event sinks its hosts advise.
#include <ocidl.h>

#include <utility>
#include <vector>

#include "ComPtr.h"

namespace standin {

class ConnectionPoint : public IConnectionPoint {
public:
    // Lives inside `container` and shares its reference count.
    ConnectionPoint(IConnectionPointContainer& container, REFIID events);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return m_container.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return m_container.Release(); }

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

    // Calls every sink; a sink may unadvise (or release the control) meanwhile.
    void Fire(DISPID id, DISPPARAMS& params);
    void Clear() { m_sinks.clear(); }

private:
    bool Advised(DWORD cookie) const;

    IConnectionPointContainer& m_container;
    const IID m_events;
    std::vector<std::pair<DWORD, ComPtr<IDispatch>>> m_sinks;
    DWORD m_nextCookie = 1;
};

}  // namespace standin
