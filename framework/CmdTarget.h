#pragma once
// Message-map tables shared by windows and the application object.
//
// Each class that handles messages has one static table, chained to its base
// class's table; lookup walks from the most derived table outward. Entries
// hold a typed adaptor (see MessageMap.h), so handlers take real parameters
// rather than raw WPARAM/LPARAM.
#include <windows.h>
#include <cstddef>
#include "EventSink.h"

class CCmdTarget;

using MessageHandler = LRESULT (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);

struct MessageMapEntry {
    UINT message;      // first message of the range this entry takes
    UINT messageLast;  // last message of the range (usually == message)
    UINT code;         // WM_COMMAND: notification code (0 for clicks and menus)
    UINT idFirst;      // WM_COMMAND: command id range
    UINT idLast;
    MessageHandler handler;
};

struct MessageMap {
    const MessageMap* (*base)();  // null for the root table
    const MessageMapEntry* entries;
    std::size_t count;
};

template <std::size_t N>
constexpr MessageMap MakeMessageMap(const MessageMap* (*base)(), const MessageMapEntry (&entries)[N]) {
    return MessageMap{base, entries, N};
}

class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Runs the handler of a WM_COMMAND (id, notification code) if this
    // object's tables have one. Returns TRUE when a handler ran.
    virtual BOOL OnCmdMsg(UINT id, UINT code);

    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const { return GetThisMessageMap(); }

    // Event-sink tables, searched like the message-map tables.
    static const EventSinkMap* GetThisEventSinkMap();
    virtual const EventSinkMap* GetEventSinkMap() const { return GetThisEventSinkMap(); }
    // Hands an event of control `controlId` to its entry's handler. TRUE
    // when an entry took it (arguments matching its types).
    virtual BOOL OnEvent(UINT controlId, DISPID dispid, const DISPPARAMS* params);

    // The first entry, walking the tables outward, that takes `message`
    // (for WM_COMMAND: also `code` and `id`); null when there is none.
    const MessageMapEntry* FindEntry(UINT message, UINT code, UINT id) const;
};
