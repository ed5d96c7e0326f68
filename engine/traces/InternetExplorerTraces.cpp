// Internet Explorer's history, cache, cookies, typed addresses, start page and form data.
#include "Handle.h"
#include "KeepList.h"
#include "Removal.h"
#include "Silently.h"
#include "TraceKey.h"
#include "TraceSteps.h"
#include "UrlCacheEnumerator.h"
#include "UserSid.h"
#include "VxMain.h"

#include <shlobj.h>
#include <shlwapi.h>
#include <urlhist.h>

#include <memory>

namespace {

const char kExplorerKey[] = "Software\\Microsoft\\Internet Explorer";
const char kProtectedStorage[] = "Software\\Microsoft\\Protected Storage System Provider\\";
// The search patterns name the cache containers as the cache itself spells their prefixes: some
// caches compare the pattern case-sensitively.
const char kCookies[] = "Cookie:";
const char kVisited[] = "Visited:";
const char kAutoCompleteData[] = "e161255a-37c3-11d2-bcaa-00c04fd929db";

const CLSID kUrlHistory = {
    0x3C374A40, 0xBAE4, 0x11CF, {0xBF, 0x7D, 0x00, 0xAA, 0x00, 0x69, 0x46, 0xEE}};
const IID kUrlHistoryStg2 = {
    0xAFA0DC11, 0xC313, 0x11D0, {0x83, 0x1A, 0x00, 0xC0, 0x4F, 0xD5, 0xAE, 0x38}};

// Deletes matching entries in enumeration order; with `stopAtFailure`, the first failed
// deletion ends the deleting while the enumeration runs on.
template <typename Wanted>
void DeleteCacheEntries(const char* pattern, bool stopAtFailure, Wanted wanted) {
    UrlCacheEnumerator entries;
    bool deleting = true;
    for (INTERNET_CACHE_ENTRY_INFOA* entry = entries.First(pattern); entry;
         entry = entries.Next()) {
        if (!deleting || !wanted(*entry))
            continue;
        if (!removal::DeleteCacheEntry(*entry) && stopAtFailure)
            deleting = false;
    }
}

bool Any(const INTERNET_CACHE_ENTRY_INFOA&) {
    return true;
}

// A cookie of a site the user keeps stays.
bool NotKept(const INTERNET_CACHE_ENTRY_INFOA& entry) {
    return !removal::KeepsCookiesOf(CookieEntryHost(entry.lpszSourceUrlName));
}

bool IsContent(const INTERNET_CACHE_ENTRY_INFOA& entry) {
    return !(entry.CacheEntryType & (COOKIE_CACHE_ENTRY | URLHISTORY_CACHE_ENTRY));
}

// Whether the store lists an address; a store that cannot list its addresses counts as empty.
bool HoldsHistory(IUrlHistoryStg2* history) {
    IEnumSTATURL* addresses = nullptr;
    if (FAILED(history->EnumUrls(&addresses)) || !addresses)
        return false;
    STATURL address = {};
    address.cbSize = sizeof address;
    ULONG fetched = 0;
    const bool holds = addresses->Next(1, &address, &fetched) == S_OK && fetched == 1;
    if (holds) {
        CoTaskMemFree(address.pwcsUrl);
        CoTaskMemFree(address.pwcsTitle);
    }
    addresses->Release();
    return holds;
}

// A preview, or a run's record, is told of the store when it lists an address.
void ClearHistoryStore() {
    CoInitialize(nullptr);
    IUrlHistoryStg2* history = nullptr;
    if (SUCCEEDED(CoCreateInstance(kUrlHistory, nullptr, CLSCTX_INPROC_SERVER, kUrlHistoryStg2,
                                   reinterpret_cast<void**>(&history)))) {
        const bool holds =
            (removal::Previewing() || removal::RunRecorded()) && HoldsHistory(history);
        if ((removal::Previewing() || SUCCEEDED(history->ClearHistory())) && holds)
            removal::Report(VxTraceKind::HistoryStore, "Internet Explorer history");
        history->Release();
    }
    CoUninitialize();
}

void DeleteSubkeyPlainly(const char* path, const char* subkey) {
    TraceKey(HKEY_CURRENT_USER, path).DeleteKey(subkey);
}

bool IsNtFamily() {
    OSVERSIONINFOEXA extended = {};
    extended.dwOSVersionInfoSize = sizeof extended;
    if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended)))
        return extended.dwPlatformId == VER_PLATFORM_WIN32_NT;
    OSVERSIONINFOA basic = {};
    basic.dwOSVersionInfoSize = sizeof basic;
    return GetVersionExA(&basic) && basic.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

} // namespace

void CVxMain::DelIEHistory() {
    Silently([&] {
        DeleteCacheEntries(kVisited, true, Any);
        ClearHistoryStore();
        EmptyShellFolder(CSIDL_HISTORY);
    });
}

void CVxMain::DelIECache() {
    Silently([&] {
        DeleteCacheEntries(nullptr, true, IsContent);
        EmptyShellFolder(CSIDL_INTERNET_CACHE);
    });
}

void CVxMain::DelIECookie() {
    Silently([&] {
        DeleteCacheEntries(kCookies, false, NotKept);
        const removal::CookieFiles cookieFiles;
        EmptyShellFolder(CSIDL_COOKIES);
    });
}

void CVxMain::DelIEAddressBar() {
    Silently([&] { DeleteSubkeyPlainly(kExplorerKey, "TypedURLs"); });
}

void CVxMain::ClsIEStartPage() {
    Silently([&] {
        const TraceKey explorer(HKEY_CURRENT_USER, kExplorerKey);
        TraceKey(explorer, "Main").SetText("Start Page", "about:blank");
    });
}

void CVxMain::DelIEPassword() {
    Silently([&] {
        DelRegKey(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\IntelliForms", "SPW");
    });
}

// The protected-storage keys of the user's form data deny the user access: their rights are
// taken over for the deletion, and the base key's rights are given back afterwards.
void CVxMain::DelIEAutoComplete() {
    Silently([&] {
        DeleteSubkeyPlainly(kExplorerKey, "IntelliForms");

        HeapBlock user;
        if (IsNtFamily() && GetCurrentUserSid(user.Put())) {
            char sidText[256];
            SidToText(user.Get(), sidText);
            const CString base = CString(kProtectedStorage) + sidText;
            BYTE* old = nullptr;
            GetOldSD(HKEY_CURRENT_USER, base, &old);
            const std::unique_ptr<BYTE[]> oldRights(old);
            SECURITY_DESCRIPTOR descriptor;
            ACL* list = nullptr;
            const bool built = CreateNewSD(user.Get(), &descriptor, &list);
            const HeapBlock newRights(list);
            if (built) {
                RegSetPrivilege(HKEY_CURRENT_USER, base, &descriptor, 0);
                RegSetPrivilege(HKEY_CURRENT_USER, base + "\\Data", &descriptor, 0);
                RegSetPrivilege(HKEY_CURRENT_USER, base + "\\Data\\" + kAutoCompleteData,
                                &descriptor, 1);
                TraceKey(HKEY_CURRENT_USER, base + "\\Data", TraceKey::Rights::Taken)
                    .DeleteTree(kAutoCompleteData);
            }
            if (old)
                RegSetPrivilege(HKEY_CURRENT_USER, base,
                                reinterpret_cast<SECURITY_DESCRIPTOR*>(old), 0);
        }

        char userName[MAX_PATH];
        DWORD size = sizeof userName;
        if (GetUserNameA(userName, &size))
            TraceKey(HKEY_LOCAL_MACHINE, CString(kProtectedStorage) + userName + "\\Data")
                .DeleteTree(kAutoCompleteData);
    });
}
