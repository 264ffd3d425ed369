#pragma once
// What keeps the server loaded: live objects and IClassFactory::LockServer.
#include <windows.h>

namespace standin {
// A member of every object the server hands out, so that the count of live
// objects follows their lifetimes.
class LiveObject {
public:
    LiveObject();
    LiveObject(const LiveObject&) = delete;
    LiveObject& operator=(const LiveObject&) = delete;
    ~LiveObject();
};

void LockModule(bool lock);
bool ModuleInUse();
HINSTANCE ModuleInstance();
}  // namespace standin
