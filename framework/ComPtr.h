#pragma once
// An owning COM interface pointer: one reference, released on destruction.
#include <unknwn.h>
#include <utility>

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(T* p) : m_p(p) { if (m_p) m_p->AddRef(); }  // NOLINT: adds its own reference
    ComPtr(const ComPtr& other) : ComPtr(other.m_p) {}
    ComPtr(ComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ~ComPtr() { Reset(); }
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(m_p, other.m_p);
        return *this;
    }

    // Takes over a reference the caller already owns.
    static ComPtr Adopt(T* p) {
        ComPtr result;
        result.m_p = p;
        return result;
    }

    void Reset() {
        if (T* p = std::exchange(m_p, nullptr))
            p->Release();
    }
    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // For out-parameters: drops what is held and hands out the slot.
    T** Put() {
        Reset();
        return &m_p;
    }
    // Gives up the reference to the caller (an out-parameter of ours).
    T* Detach() { return std::exchange(m_p, nullptr); }

    template <typename U>
    ComPtr<U> As(REFIID iid) const {
        ComPtr<U> result;
        if (m_p)
            m_p->QueryInterface(iid, reinterpret_cast<void**>(result.Put()));
        return result;
    }

private:
    T* m_p = nullptr;
};
