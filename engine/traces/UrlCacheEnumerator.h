// Walks the entries of the system's URL cache.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <vector>

// The cache calls the enumerator makes, so that tests can stand in for the system.
struct UrlCacheCalls {
    HANDLE(WINAPI* findFirst)(LPCSTR, LPINTERNET_CACHE_ENTRY_INFOA, LPDWORD);
    BOOL(WINAPI* findNext)(HANDLE, LPINTERNET_CACHE_ENTRY_INFOA, LPDWORD);
    BOOL(WINAPI* close)(HANDLE);
};

extern const UrlCacheCalls kSystemUrlCache;

class UrlCacheEnumerator {
public:
    explicit UrlCacheEnumerator(const UrlCacheCalls& calls = kSystemUrlCache) : m_calls(calls) {}
    ~UrlCacheEnumerator() { Close(); }
    UrlCacheEnumerator(const UrlCacheEnumerator&) = delete;
    UrlCacheEnumerator& operator=(const UrlCacheEnumerator&) = delete;

    // The first entry matching `pattern` ("Cookie:", "Visited:", or null for every entry), or
    // null when there is none. The entry stays valid until the next call.
    INTERNET_CACHE_ENTRY_INFOA* First(const char* pattern);
    INTERNET_CACHE_ENTRY_INFOA* Next();

private:
    static constexpr DWORD kFirstRequestSize = 4096;

    INTERNET_CACHE_ENTRY_INFOA* Entry() {
        return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(m_buffer.data());
    }
    // After an answer of "buffer too small" with the size the system asks for: grows the
    // buffer to it, or refuses a size that is no larger than the buffer already is.
    bool GrowTo(DWORD size);
    void Close();

    const UrlCacheCalls& m_calls;
    std::vector<BYTE> m_buffer;
    HANDLE m_search = nullptr;
};
