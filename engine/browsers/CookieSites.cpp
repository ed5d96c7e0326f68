#include "BrowserProfiles.h"
#include "FileSystem.h"
#include "KeepList.h"
#include "PathText.h"
#include "ShellFolder.h"
#include "SqliteRows.h"
#include "UrlCacheEnumerator.h"
#include "VxKeep.h"

#include <shlobj.h>

#include <set>
#include <string>

namespace {

struct CookieDatabase {
    VxBrowser browser;
    const wchar_t* path;
    const char* hosts;
};

const CookieDatabase kCookieDatabases[] = {
    {VxBrowser::Chrome, L"Network\\Cookies", "SELECT DISTINCT host_key FROM cookies"},
    {VxBrowser::Chrome, L"Cookies", "SELECT DISTINCT host_key FROM cookies"},
    {VxBrowser::Edge, L"Network\\Cookies", "SELECT DISTINCT host_key FROM cookies"},
    {VxBrowser::Edge, L"Cookies", "SELECT DISTINCT host_key FROM cookies"},
    {VxBrowser::Firefox, L"cookies.sqlite", "SELECT DISTINCT host FROM moz_cookies"},
};

class Hosts {
public:
    // A host as a cookie spells it; one that is no host name is left out.
    void Add(const std::string& host) {
        std::string fault;
        const std::string site = KeptSite(host, fault);
        if (!site.empty())
            m_hosts.insert(site);
    }
    void Tell(VxSiteSink& sink) const {
        for (const std::string& host : m_hosts)
            sink.Site(host.c_str());
    }

private:
    std::set<std::string> m_hosts;
};

void InternetExplorerHosts(Hosts& hosts) {
    UrlCacheEnumerator entries;
    for (INTERNET_CACHE_ENTRY_INFOA* entry = entries.First("Cookie:"); entry;
         entry = entries.Next())
        hosts.Add(CookieEntryHost(entry->lpszSourceUrlName));
    std::wstring cookies;
    if (!ShellFolder(CSIDL_COOKIES, cookies))
        return;
    for (fs::FolderSearch search(path::Join(cookies, L"*.txt")); search; search.Next())
        hosts.Add(CookieFileHost(fs::ToUtf8(search.Entry().cFileName)));
}

} // namespace

void VxCookieSites(VxSiteSink& sink) noexcept try {
    Hosts hosts;
    InternetExplorerHosts(hosts);
    for (const CookieDatabase& database : kCookieDatabases)
        for (const BrowserProfile& profile : BrowserProfiles(database.browser))
            for (const std::string& host :
                 ReadTexts(path::Join(profile.folder, database.path), database.hosts))
                hosts.Add(host);
    hosts.Tell(sink);
} catch (...) {
}
