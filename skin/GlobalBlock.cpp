#include "GlobalBlock.h"
#include <cstring>
#include <utility>

CGlobalBlock& CGlobalBlock::operator=(CGlobalBlock&& other) noexcept {
    if (this != &other) {
        Free();
        Swap(other);
    }
    return *this;
}

void CGlobalBlock::Swap(CGlobalBlock& other) noexcept {
    std::swap(m_hBlock, other.m_hBlock);
    std::swap(m_bLocked, other.m_bLocked);
}

bool CGlobalBlock::CopyFrom(const void* data, SIZE_T size) {
    Free();
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (block == nullptr)
        return false;
    void* bytes = ::GlobalLock(block);
    if (bytes == nullptr) {
        ::GlobalFree(block);
        return false;
    }
    std::memcpy(bytes, data, size);
    m_hBlock = block;
    m_bLocked = true;
    return true;
}

void CGlobalBlock::Unlock() {
    if (m_bLocked)
        ::GlobalUnlock(m_hBlock);
    m_bLocked = false;
}

void CGlobalBlock::Free() {
    Unlock();
    if (m_hBlock != nullptr)
        ::GlobalFree(m_hBlock);
    m_hBlock = nullptr;
}

HGLOBAL CGlobalBlock::Release() {
    HGLOBAL block = m_hBlock;
    m_hBlock = nullptr;
    m_bLocked = false;
    return block;
}
