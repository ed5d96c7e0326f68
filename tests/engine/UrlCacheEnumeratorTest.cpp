// The cache enumerator against a stand-in for the system's cache calls that reports whatever
// sizes a test wants.
#include "UrlCacheEnumerator.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <cstring>
#include <deque>

namespace {

// Each call takes the next scripted answer: either an entry, or "too small, ask for N bytes".
struct Answer {
    bool entry;
    DWORD askedSize;
};

std::deque<Answer> g_script;
int g_calls = 0;
int g_closes = 0;
bool g_overrun = false;

HANDLE const kSearch = reinterpret_cast<HANDLE>(0x1234);

// Fills as many bytes as the caller says the buffer holds, as the system does.
BOOL Respond(LPINTERNET_CACHE_ENTRY_INFOA entry, LPDWORD size) {
    ++g_calls;
    if (_msize(entry) < *size)
        g_overrun = true;
    if (g_script.empty()) {
        SetLastError(ERROR_NO_MORE_ITEMS);
        return FALSE;
    }
    const Answer answer = g_script.front();
    g_script.pop_front();
    std::memset(entry, 0xAB, *size);
    if (answer.entry)
        return TRUE;
    *size = answer.askedSize;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
}

HANDLE WINAPI FindFirst(LPCSTR, LPINTERNET_CACHE_ENTRY_INFOA entry, LPDWORD size) {
    return Respond(entry, size) ? kSearch : nullptr;
}
BOOL WINAPI FindNext(HANDLE, LPINTERNET_CACHE_ENTRY_INFOA entry, LPDWORD size) {
    return Respond(entry, size);
}
BOOL WINAPI Close(HANDLE) {
    ++g_closes;
    return TRUE;
}

const UrlCacheCalls kScripted = {FindFirst, FindNext, Close};

class Enumerator : public ::testing::Test {
protected:
    void SetUp() override {
        g_script.clear();
        g_calls = g_closes = 0;
        g_overrun = false;
    }
    void TearDown() override { EXPECT_FALSE(g_overrun) << "a size larger than the buffer"; }
};

} // namespace

TEST_F(Enumerator, GrowsToEachReportedSizeAndNeverHandsOutMoreThanItHas) {
    g_script = {{false, 10000}, {false, 70000}, {true, 0}, {false, 90000}, {true, 0}, {true, 0}};
    UrlCacheEnumerator entries(kScripted);
    int found = 0;
    for (auto* entry = entries.First("visited:"); entry; entry = entries.Next())
        ++found;
    EXPECT_EQ(found, 3);
    EXPECT_EQ(g_calls, 7);
}

TEST_F(Enumerator, ASizeThatDoesNotGrowEndsTheEnumeration) {
    g_script = {{false, 4096}, {true, 0}};
    UrlCacheEnumerator entries(kScripted);
    EXPECT_EQ(entries.First(nullptr), nullptr);

    g_script = {{true, 0}, {false, 100}, {true, 0}};
    EXPECT_NE(entries.First(nullptr), nullptr);
    EXPECT_EQ(entries.Next(), nullptr);
}

TEST_F(Enumerator, AnotherFailureEndsItAndEverySearchIsClosedOnce) {
    {
        UrlCacheEnumerator entries(kScripted);
        EXPECT_EQ(entries.Next(), nullptr) << "no search yet";
        EXPECT_EQ(g_calls, 0);
        g_script = {{true, 0}};
        ASSERT_NE(entries.First("cookie:"), nullptr);
        g_script = {{true, 0}};
        ASSERT_NE(entries.First("cookie:"), nullptr);
        EXPECT_EQ(g_closes, 1) << "a new search closes the previous one";
        EXPECT_EQ(entries.Next(), nullptr);
    }
    EXPECT_EQ(g_closes, 2);
}
