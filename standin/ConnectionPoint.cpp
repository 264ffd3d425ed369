#include "ConnectionPoint.h"

#include <olectl.h>

#include "Log.h"
#include "Text.h"

namespace standin {

ConnectionPoint::ConnectionPoint(IConnectionPointContainer& container, REFIID events)
    : m_container(container), m_events(events) {}

HRESULT ConnectionPoint::QueryInterface(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IConnectionPoint)
        return E_NOINTERFACE;
    *object = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid)
        return E_POINTER;
    *iid = m_events;
    return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (!container)
        return E_POINTER;
    *container = &m_container;
    m_container.AddRef();
    return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!sink || !cookie)
        return E_POINTER;
    *cookie = 0;
    // The event interface itself if the sink names it, else its IDispatch.
    ComPtr<IDispatch> dispatch;
    HRESULT hr = sink->QueryInterface(m_events, reinterpret_cast<void**>(dispatch.Put()));
    if (FAILED(hr))
        hr = sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.Put()));
    if (FAILED(hr) || !dispatch) {
        standin::WriteLog("Advise hr=" + HrText(CONNECT_E_CANNOTCONNECT));
        return CONNECT_E_CANNOTCONNECT;
    }
    *cookie = m_nextCookie++;
    m_sinks.emplace_back(*cookie, std::move(dispatch));
    standin::WriteLog("Advise hr=0 cookie=" + std::to_string(*cookie));
    return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) {
    HRESULT hr = CONNECT_E_NOCONNECTION;
    for (auto it = m_sinks.begin(); it != m_sinks.end(); ++it) {
        if (it->first == cookie) {
            m_sinks.erase(it);
            hr = S_OK;
            break;
        }
    }
    standin::WriteLog("Unadvise cookie=" + std::to_string(cookie) + " hr=" + HrText(hr));
    return hr;
}

void ConnectionPoint::Fire(DISPID id, DISPPARAMS& params) {
    const auto sinks = m_sinks;
    for (const auto& sink : sinks) {
        if (!Advised(sink.first))
            continue;  // unadvised by an earlier sink's handler
        sink.second->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    }
}

bool ConnectionPoint::Advised(DWORD cookie) const {
    for (const auto& sink : m_sinks) {
        if (sink.first == cookie)
            return true;
    }
    return false;
}

}  // namespace standin
