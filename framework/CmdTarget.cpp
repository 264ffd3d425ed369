#include "CmdTarget.h"

const MessageMap* CCmdTarget::GetThisMessageMap() {
    static const MessageMap map{nullptr, nullptr, 0};
    return &map;
}

const MessageMapEntry* CCmdTarget::FindEntry(UINT message, UINT code, UINT id) const {
    for (const MessageMap* map = GetMessageMap(); map != nullptr; map = map->base ? map->base() : nullptr) {
        for (std::size_t i = 0; i < map->count; ++i) {
            const MessageMapEntry& e = map->entries[i];
            if (message < e.message || message > e.messageLast)
                continue;
            if (message == WM_COMMAND && (e.code != code || id < e.idFirst || id > e.idLast))
                continue;
            return &e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT id, UINT code) {
    const MessageMapEntry* e = FindEntry(WM_COMMAND, code, id);
    if (e == nullptr)
        return FALSE;
    e->handler(this, 0, 0);
    return TRUE;
}

const EventSinkMap* CCmdTarget::GetThisEventSinkMap() {
    static const EventSinkMap map{nullptr, nullptr, 0};
    return &map;
}

BOOL CCmdTarget::OnEvent(UINT controlId, DISPID dispid, const DISPPARAMS* params) {
    for (const EventSinkMap* map = GetEventSinkMap(); map != nullptr; map = map->base ? map->base() : nullptr) {
        for (std::size_t i = 0; i < map->count; ++i) {
            const EventSinkEntry& e = map->entries[i];
            if (e.controlId != controlId || e.dispid != dispid)
                continue;
            void* args[16];
            if (!UnpackEventArguments(e.paramTypes, params, args, 16))
                return FALSE;
            e.handler(this, args);
            return TRUE;
        }
    }
    return FALSE;
}
