#pragma once
// A movable global memory block owned by this object: unlocked (if locked)
// and freed when the owner is done with it, unless handed on with Release.
#include <windows.h>

class CGlobalBlock {
public:
    CGlobalBlock() = default;
    ~CGlobalBlock() { Free(); }
    CGlobalBlock(CGlobalBlock&& other) noexcept { Swap(other); }
    CGlobalBlock& operator=(CGlobalBlock&& other) noexcept;
    CGlobalBlock(const CGlobalBlock&) = delete;
    CGlobalBlock& operator=(const CGlobalBlock&) = delete;

    // Replaces what is held by a new block with a copy of `size` bytes, left
    // locked once. False, with nothing held, when it cannot be made.
    bool CopyFrom(const void* data, SIZE_T size);
    void Unlock();
    void Free();
    // Gives up ownership without freeing (the new owner frees it).
    HGLOBAL Release();

    HGLOBAL Get() const { return m_hBlock; }
    operator HGLOBAL() const { return m_hBlock; }

private:
    void Swap(CGlobalBlock& other) noexcept;

    HGLOBAL m_hBlock = nullptr;
    bool m_bLocked = false;
};
