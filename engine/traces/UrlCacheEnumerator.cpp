#include "UrlCacheEnumerator.h"

#include <algorithm>

const UrlCacheCalls kSystemUrlCache = {FindFirstUrlCacheEntryA, FindNextUrlCacheEntryA,
                                       FindCloseUrlCache};

INTERNET_CACHE_ENTRY_INFOA* UrlCacheEnumerator::First(const char* pattern) {
    Close();
    if (m_buffer.size() < kFirstRequestSize)
        m_buffer.assign(kFirstRequestSize, 0);
    else
        std::fill(m_buffer.begin(), m_buffer.end(), 0);
    DWORD size = kFirstRequestSize;
    for (;;) {
        HANDLE search = m_calls.findFirst(pattern, Entry(), &size);
        if (search) {
            m_search = search;
            return Entry();
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || !GrowTo(size))
            return nullptr;
        size = DWORD(m_buffer.size());
    }
}

INTERNET_CACHE_ENTRY_INFOA* UrlCacheEnumerator::Next() {
    if (!m_search)
        return nullptr;
    DWORD size = DWORD(m_buffer.size());
    for (;;) {
        if (m_calls.findNext(m_search, Entry(), &size))
            return Entry();
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || !GrowTo(size))
            return nullptr;
        size = DWORD(m_buffer.size());
    }
}

bool UrlCacheEnumerator::GrowTo(DWORD size) {
    if (size <= m_buffer.size())
        return false;
    m_buffer.assign(size, 0);
    return true;
}

void UrlCacheEnumerator::Close() {
    if (m_search)
        m_calls.close(m_search);
    m_search = nullptr;
}
