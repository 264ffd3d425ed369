#pragma once
// Event-sink maps: how a dialog receives the events of the OLE controls it
// hosts. An entry names the control id, the event's dispatch id, the
// parameter-type bytes and the handler; the bytes are derived from the
// handler's parameter types, so entry and handler cannot disagree:
//
//   static const EventSinkEntry entries[] = {
//       eventsink::On<IDC_BROWSER, DISPID_NAVIGATECOMPLETE2, &CMyDlg::OnNavigateComplete2>(),
//   };
#include <oaidl.h>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

class CCmdTarget;

// Parameter-type bytes (one-byte variant-type codes, zero-terminated).
constexpr char VTS_I4 = 0x03;
constexpr char VTS_BSTR = 0x08;
constexpr char VTS_DISPATCH = 0x09;
constexpr char VTS_PBOOL = 0x4B;
constexpr char VTS_PVARIANT = 0x4C;

// Calls the handler with the unpacked arguments, one pointer-sized value each.
using EventHandler = void (*)(CCmdTarget* target, void* const* args);

struct EventSinkEntry {
    UINT controlId;
    DISPID dispid;
    const char* paramTypes;
    EventHandler handler;
};

struct EventSinkMap {
    const EventSinkMap* (*base)();
    const EventSinkEntry* entries;
    std::size_t count;
};

template <std::size_t N>
constexpr EventSinkMap MakeEventSinkMap(const EventSinkMap* (*base)(), const EventSinkEntry (&entries)[N]) {
    return EventSinkMap{base, entries, N};
}

// Unpacks an event's arguments as the types say; false when they do not
// match (count, types, null references), in which case the event is ignored.
bool UnpackEventArguments(const char* paramTypes, const DISPPARAMS* params, void** args, std::size_t capacity);

namespace eventsink {

template <class T> constexpr char TypeCode();
template <> constexpr char TypeCode<IDispatch*>() { return VTS_DISPATCH; }
template <> constexpr char TypeCode<VARIANT*>() { return VTS_PVARIANT; }
template <> constexpr char TypeCode<VARIANT_BOOL*>() { return VTS_PBOOL; }
template <> constexpr char TypeCode<BSTR>() { return VTS_BSTR; }
template <> constexpr char TypeCode<long>() { return VTS_I4; }

template <class>
struct Handler;
template <class T, class... A>
struct Handler<void (T::*)(A...)> {
    using Class = T;
    static constexpr char types[sizeof...(A) + 1] = {TypeCode<A>()..., 0};
    template <auto H, std::size_t... I>
    static void Call(CCmdTarget* target, void* const* args, std::index_sequence<I...>) {
        (static_cast<T*>(target)->*H)(FromArg<A>(args[I])...);
    }
    template <class X>
    static X FromArg(void* arg) {
        if constexpr (std::is_same_v<X, long>)
            return static_cast<long>(reinterpret_cast<intptr_t>(arg));
        else
            return static_cast<X>(arg);
    }
    static constexpr std::size_t arity = sizeof...(A);
};

template <UINT ControlId, DISPID Dispid, auto H>
constexpr EventSinkEntry On() {
    using Traits = Handler<decltype(H)>;
    return EventSinkEntry{ControlId, Dispid, Traits::types, [](CCmdTarget* target, void* const* args) {
                              Traits::template Call<H>(target, args, std::make_index_sequence<Traits::arity>{});
                          }};
}

}  // namespace eventsink
