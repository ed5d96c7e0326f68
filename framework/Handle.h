// Sole owners of the handles of the system's kernel, file system, registry and memory: kernel
// objects, files, searches, registry keys, SIDs, and blocks of the process heap or of LocalAlloc.
// One owner closes each handle once; moving hands the handle on, copying is not allowed. Closing
// keeps the caller's last-error code. Header-only and free of window headers, so that the engine
// and the erase component use it too; the owners of window objects are in WindowHandle.h.
#pragma once

#include <windows.h>

#include <utility>

template <typename Traits> class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() = default;
    explicit UniqueHandle(Type handle) : m_handle(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    Type Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != Traits::Invalid(); }
    Type Release() { return std::exchange(m_handle, Traits::Invalid()); }
    void Reset(Type handle = Traits::Invalid()) {
        if (*this) {
            const DWORD error = GetLastError();
            Traits::Close(m_handle);
            SetLastError(error);
        }
        m_handle = handle;
    }
    // For calls that return a new handle through an out-parameter.
    Type* Put() {
        Reset();
        return &m_handle;
    }

private:
    Type m_handle = Traits::Invalid();
};

// Traits for handles whose "none" is null and that one function closes.
template <typename T, auto CloseFunction> struct NullIsInvalid {
    using Type = T;
    static T Invalid() { return nullptr; }
    static void Close(T handle) { CloseFunction(handle); }
};

struct FileHandleTraits {
    using Type = HANDLE;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};

struct FindHandleTraits {
    using Type = HANDLE;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { FindClose(handle); }
};

inline void FreeProcessHeapBlock(void* block) {
    HeapFree(GetProcessHeap(), 0, block);
}

using FileHandle = UniqueHandle<FileHandleTraits>;
using FindHandle = UniqueHandle<FindHandleTraits>;
// Threads, events, mutexes, processes, tokens.
using KernelHandle = UniqueHandle<NullIsInvalid<HANDLE, CloseHandle>>;
using RegKey = UniqueHandle<NullIsInvalid<HKEY, RegCloseKey>>;
// A block of the process heap (HeapAlloc of GetProcessHeap).
using HeapBlock = UniqueHandle<NullIsInvalid<void*, FreeProcessHeapBlock>>;
using LocalBlock = UniqueHandle<NullIsInvalid<HLOCAL, LocalFree>>;
using SidHandle = UniqueHandle<NullIsInvalid<PSID, FreeSid>>;
