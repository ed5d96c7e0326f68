// Internet Explorer traces against the system's own URL cache, history object and registry.
#include "TraceArea.h"
#include "VxKeep.h"
#include "VxMain.h"
#include "common/RegistryFixture.h"
#include "common/Scratch.h"
#include "common/ShellFolder.h"
#include "common/ValueGuard.h"

#include <gtest/gtest.h>

#include <shlobj.h>
#include <wininet.h>

namespace {

const std::string kExplorer = "Software\\Microsoft\\Internet Explorer";

const char kPage[] = "http://example.test/page.html";
const char kCookie[] = "Cookie:user@example.test/";
const char kVisited[] = "Visited: user@http://example.test/page.html";

// Entries without a local file: the cache's own folders may have been emptied by an earlier run.
void AddCacheEntry(const char* url, DWORD type) {
    FILETIME zero = {};
    ASSERT_TRUE(CommitUrlCacheEntryA(url, nullptr, zero, zero, type, nullptr, 0, nullptr, nullptr))
        << url << " " << GetLastError();
}

bool Cached(const char* url) {
    DWORD size = 0;
    GetUrlCacheEntryInfoA(url, nullptr, &size);
    return GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

class IETraces : public TraceArea {
protected:
    void Clean() override {
        for (const char* url : {kPage, kCookie, kVisited})
            DeleteUrlCacheEntryA(url);
        DeleteKeyQuietly(kExplorer + "\\TypedURLs");
        DeleteKeyQuietly(kExplorer + "\\IntelliForms");
    }

    void FillCache() {
        AddCacheEntry(kPage, NORMAL_CACHE_ENTRY);
        AddCacheEntry(kCookie, COOKIE_CACHE_ENTRY);
        AddCacheEntry(kVisited, URLHISTORY_CACHE_ENTRY);
        ASSERT_TRUE(Cached(kPage) && Cached(kCookie) && Cached(kVisited));
    }
};

} // namespace

TEST_F(IETraces, EachCacheMemberRemovesOnlyItsOwnKindOfEntry) {
    FillCache();
    m_engine.DelIECache();
    EXPECT_FALSE(Cached(kPage));
    EXPECT_TRUE(Cached(kCookie));
    EXPECT_TRUE(Cached(kVisited));

    m_engine.DelIECookie();
    EXPECT_FALSE(Cached(kCookie));
    EXPECT_TRUE(Cached(kVisited));

    m_engine.DelIEHistory();
    EXPECT_FALSE(Cached(kVisited));
}

TEST_F(IETraces, HistoryWithoutEntriesStillErasesTheHistoryFolder) {
    const std::string history = ShellFolder(CSIDL_HISTORY);
    WriteText(history + "\\trace.dat", "visited pages");
    m_engine.DelIEHistory();
    EXPECT_FALSE(Exists(history + "\\trace.dat"));
    EXPECT_TRUE(Exists(history));
}

TEST_F(IETraces, CookieAndCacheFoldersAreErased) {
    for (int csidl : {CSIDL_COOKIES, CSIDL_INTERNET_CACHE})
        WriteText(ShellFolder(csidl) + "\\vxtrace.txt", "trace");
    m_engine.DelIECookie();
    m_engine.DelIECache();
    for (int csidl : {CSIDL_COOKIES, CSIDL_INTERNET_CACHE})
        EXPECT_FALSE(Exists(ShellFolder(csidl) + "\\vxtrace.txt")) << csidl;
}

// The cookies of a kept site and of its subdomains stay, as entries of the cache and as files;
// the others go.
TEST_F(IETraces, CookiesOfKeptSitesStayAndTheOthersGo) {
    const char kKeptCookie[] = "Cookie:user@mail.kept.test/";
    AddCacheEntry(kCookie, COOKIE_CACHE_ENTRY);
    AddCacheEntry(kKeptCookie, COOKIE_CACHE_ENTRY);
    const std::string cookies = ShellFolder(CSIDL_COOKIES);
    WriteText(cookies + "\\user@www.kept.test[1].txt", "kept cookie");
    WriteText(cookies + "\\user@example.test[1].txt", "other cookie");
    {
        CVxKeep keep;
        keep.KeepSite("kept.test");
        m_engine.DelIECookie();
    }
    EXPECT_TRUE(Cached(kKeptCookie));
    EXPECT_FALSE(Cached(kCookie));
    EXPECT_EQ(ReadText(cookies + "\\user@www.kept.test[1].txt"), "kept cookie");
    EXPECT_FALSE(Exists(cookies + "\\user@example.test[1].txt"));
    DeleteUrlCacheEntryA(kKeptCookie);
    m_engine.DelIECookie();
    EXPECT_FALSE(Exists(cookies + "\\user@www.kept.test[1].txt")) << "kept only while kept";
}

TEST_F(IETraces, TypedAddressesGoAndTheirAbsenceChangesNothing) {
    SetString(kExplorer + "\\TypedURLs", "url1", "http://typed.test/");
    SetString(kExplorer + "\\Toolbar", "Keep", "keep");
    m_engine.DelIEAddressBar();
    EXPECT_FALSE(KeyExists(kExplorer + "\\TypedURLs"));
    const auto before = Snapshot(kExplorer);
    m_engine.DelIEAddressBar();
    EXPECT_EQ(Snapshot(kExplorer), before);
    DeleteKeyQuietly(kExplorer + "\\Toolbar");
}

TEST_F(IETraces, TheStartPageIsBlankedCreatingMainWhenMissing) {
    const ValueGuard startPage(HKEY_CURRENT_USER, kExplorer + "\\Main", "Start Page");
    DeleteKeyQuietly(kExplorer + "\\Main");
    m_engine.ClsIEStartPage();
    EXPECT_EQ(StringValue(kExplorer + "\\Main", "Start Page"), "about:blank");
    EXPECT_EQ(Snapshot(kExplorer + "\\Main").count("|Start Page=1:61626f75743a626c616e6b00"), 1u)
        << "a string with its terminating zero";
}

TEST_F(IETraces, FormPasswordsAndAutoCompleteKeysAreRemoved) {
    SetString(kExplorer + "\\IntelliForms\\SPW\\site", "pw", "secret");
    SetString(kExplorer + "\\IntelliForms\\Other", "keep", "keep");
    m_engine.DelIEPassword();
    EXPECT_FALSE(KeyExists(kExplorer + "\\IntelliForms\\SPW"));
    EXPECT_TRUE(KeyExists(kExplorer + "\\IntelliForms\\Other"));

    m_engine.DelIEAutoComplete();
    EXPECT_TRUE(KeyExists(kExplorer + "\\IntelliForms")) << "a key with subkeys stays";
    DeleteKeyQuietly(kExplorer + "\\IntelliForms\\Other");
    m_engine.DelIEAutoComplete();
    EXPECT_FALSE(KeyExists(kExplorer + "\\IntelliForms"));
}
