#pragma once
// Typed message-map entries. Each builder takes the handler as a template
// argument and produces an entry whose adaptor unpacks WPARAM/LPARAM into
// the handler's parameters, e.g.
//
//   static const MessageMapEntry entries[] = {
//       msgmap::Paint<&CMyDlg::OnPaint>(),
//       msgmap::Command<IDC_GO, &CMyDlg::OnGo>(),
//   };
#include "Gdi.h"
#include "ThreadState.h"
#include "Wnd.h"

namespace msgmap {

template <class>
struct HandlerTraits;
template <class T, class R, class... A>
struct HandlerTraits<R (T::*)(A...)> {
    using Class = T;
};

template <auto H>
typename HandlerTraits<decltype(H)>::Class* Self(CCmdTarget* target) {
    return static_cast<typename HandlerTraits<decltype(H)>::Class*>(target);
}

constexpr MessageMapEntry Entry(UINT first, UINT last, MessageHandler handler) {
    return MessageMapEntry{first, last, 0, 0, 0, handler};
}

// LRESULT Handler(WPARAM, LPARAM)
template <UINT Msg, auto H>
constexpr MessageMapEntry Message() {
    return Entry(Msg, Msg, [](CCmdTarget* t, WPARAM w, LPARAM l) -> LRESULT { return (Self<H>(t)->*H)(w, l); });
}

// void Handler() for WM_COMMAND with notification code 0 (click or menu).
template <UINT Id, auto H>
constexpr MessageMapEntry Command() {
    return MessageMapEntry{WM_COMMAND, WM_COMMAND, 0, Id, Id,
                           [](CCmdTarget* t, WPARAM, LPARAM) -> LRESULT { (Self<H>(t)->*H)(); return 0; }};
}

// int Handler(LPCREATESTRUCT)
template <auto H>
constexpr MessageMapEntry Create() {
    return Entry(WM_CREATE, WM_CREATE, [](CCmdTarget* t, WPARAM, LPARAM l) -> LRESULT {
        return (Self<H>(t)->*H)(reinterpret_cast<LPCREATESTRUCTW>(l));
    });
}

// void Handler() for messages without parameters.
template <UINT Msg, auto H>
constexpr MessageMapEntry Simple() {
    return Entry(Msg, Msg, [](CCmdTarget* t, WPARAM, LPARAM) -> LRESULT { (Self<H>(t)->*H)(); return 0; });
}
template <auto H> constexpr MessageMapEntry Paint() { return Simple<WM_PAINT, H>(); }
template <auto H> constexpr MessageMapEntry Close() { return Simple<WM_CLOSE, H>(); }
template <auto H> constexpr MessageMapEntry Destroy() { return Simple<WM_DESTROY, H>(); }

// BOOL Handler(CDC*)
template <auto H>
constexpr MessageMapEntry EraseBkgnd() {
    return Entry(WM_ERASEBKGND, WM_ERASEBKGND, [](CCmdTarget* t, WPARAM w, LPARAM) -> LRESULT {
        CDC dc(reinterpret_cast<HDC>(w));
        return (Self<H>(t)->*H)(&dc);
    });
}

// void Handler(int x, int y): client-area origin in parent or screen coordinates.
template <auto H>
constexpr MessageMapEntry Move() {
    return Entry(WM_MOVE, WM_MOVE, [](CCmdTarget* t, WPARAM, LPARAM l) -> LRESULT {
        (Self<H>(t)->*H)(static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)));
        return 0;
    });
}

// void Handler(UINT type, int cx, int cy)
template <auto H>
constexpr MessageMapEntry Size() {
    return Entry(WM_SIZE, WM_SIZE, [](CCmdTarget* t, WPARAM w, LPARAM l) -> LRESULT {
        (Self<H>(t)->*H)(static_cast<UINT>(w), LOWORD(l), HIWORD(l));
        return 0;
    });
}

// void Handler(BOOL show, UINT status)
template <auto H>
constexpr MessageMapEntry ShowWindow() {
    return Entry(WM_SHOWWINDOW, WM_SHOWWINDOW, [](CCmdTarget* t, WPARAM w, LPARAM l) -> LRESULT {
        (Self<H>(t)->*H)(static_cast<BOOL>(w), static_cast<UINT>(l));
        return 0;
    });
}

// LRESULT Handler(CPoint screenPoint)
template <auto H>
constexpr MessageMapEntry NcHitTest() {
    return Entry(WM_NCHITTEST, WM_NCHITTEST,
                 [](CCmdTarget* t, WPARAM, LPARAM l) -> LRESULT { return (Self<H>(t)->*H)(CPoint(l)); });
}

// HCURSOR Handler()
template <auto H>
constexpr MessageMapEntry QueryDragIcon() {
    return Entry(WM_QUERYDRAGICON, WM_QUERYDRAGICON, [](CCmdTarget* t, WPARAM, LPARAM) -> LRESULT {
        return reinterpret_cast<LRESULT>((Self<H>(t)->*H)());
    });
}

// void Handler(UINT_PTR timerId)
template <auto H>
constexpr MessageMapEntry Timer() {
    return Entry(WM_TIMER, WM_TIMER, [](CCmdTarget* t, WPARAM w, LPARAM) -> LRESULT {
        (Self<H>(t)->*H)(static_cast<UINT_PTR>(w));
        return 0;
    });
}

// HBRUSH Handler(CDC* dc, CWnd* control, UINT ctlColorKind) for every
// WM_CTLCOLOR* request; the kind is CTLCOLOR_MSGBOX .. CTLCOLOR_STATIC.
template <auto H>
constexpr MessageMapEntry CtlColor() {
    return Entry(WM_CTLCOLORMSGBOX, WM_CTLCOLORSTATIC, [](CCmdTarget* t, WPARAM w, LPARAM l) -> LRESULT {
        CDC dc(reinterpret_cast<HDC>(w));
        const UINT kind = AfxGetThreadState().lastSentMsg.message - WM_CTLCOLORMSGBOX;
        return reinterpret_cast<LRESULT>((Self<H>(t)->*H)(&dc, CWnd::FromHandle(reinterpret_cast<HWND>(l)), kind));
    });
}

// BOOL Handler(CWnd* window, UINT hitTest, UINT mouseMessage)
template <auto H>
constexpr MessageMapEntry SetCursor() {
    return Entry(WM_SETCURSOR, WM_SETCURSOR, [](CCmdTarget* t, WPARAM w, LPARAM l) -> LRESULT {
        return (Self<H>(t)->*H)(CWnd::FromHandle(reinterpret_cast<HWND>(w)), LOWORD(l), HIWORD(l));
    });
}

// void Handler(UINT keyFlags, CPoint clientPoint) for mouse button and move messages.
template <UINT Msg, auto H>
constexpr MessageMapEntry Mouse() {
    return Entry(Msg, Msg, [](CCmdTarget* t, WPARAM w, LPARAM l) -> LRESULT {
        (Self<H>(t)->*H)(static_cast<UINT>(w), CPoint(l));
        return 0;
    });
}

// void Handler(UINT id, UINT modifiers, UINT virtualKey)
template <auto H>
constexpr MessageMapEntry HotKey() {
    return Entry(WM_HOTKEY, WM_HOTKEY, [](CCmdTarget* t, WPARAM w, LPARAM l) -> LRESULT {
        (Self<H>(t)->*H)(static_cast<UINT>(w), LOWORD(l), HIWORD(l));
        return 0;
    });
}

}  // namespace msgmap
