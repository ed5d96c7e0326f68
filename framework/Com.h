// COM on the calling thread: its apartment, and the owner of an interface pointer.
#pragma once

#include <objbase.h>

// A single-threaded apartment for the life of the object: initialised only when the thread has
// none yet, and only what it initialised is undone.
class ComApartment {
public:
    ComApartment() : m_initialised(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (m_initialised)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool m_initialised;
};

// Releases the interface it holds when it goes.
template <typename T> class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    T* operator->() const { return m_pointer; }
    T* Get() const { return m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }
    // For a call that hands out a new reference: the one held before is released.
    T** Put() {
        Reset();
        return &m_pointer;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

private:
    void Reset() {
        if (m_pointer)
            m_pointer->Release();
        m_pointer = nullptr;
    }

    T* m_pointer = nullptr;
};
