#include "BrowserTraces.h"

#include "BrowserProfiles.h"
#include "FileSystem.h"
#include "PathText.h"
#include "Recording.h"
#include "Shred.h"
#include "SqliteRows.h"

#include <iterator>
#include <string>
#include <vector>

namespace {

struct Removal {
    enum Kind {
        Database,    // a database that holds nothing to keep, with its journal files
        File,        // one file
        Folder,      // a folder, emptied
        SiteFolders, // the folders of sites in a storage folder, removed; those of extensions stay
        Rows,        // rows of a database that holds data to keep
        HomeFolder,  // a folder of the browser's own folder, emptied
        Cookies,     // a cookie database: erased whole, or where sites are kept, all other rows
    };
    Kind kind;
    const wchar_t* path;
    // Under the profile's local folder, where Firefox keeps its caches.
    bool local;
    const RowsRule* rows;
};

struct TraceRemovals {
    BrowserTrace trace;
    const Removal* removals;
    size_t count;
};

// A site's folder begins with its scheme; an extension's does not.
const wchar_t* const kSitePrefixes[] = {L"http_", L"https_", L"http+++", L"https+++"};

// Chrome and Edge.
const char* const kAutofillColumns[] = {"autofill.name", "autofill.value", nullptr};
const RowsStatement kAutofillStatements[] = {{nullptr, "DELETE FROM autofill"}};
const RowsRule kAutofill = {L"Web Data",
                            kAutofillColumns,
                            kAutofillStatements,
                            std::size(kAutofillStatements),
                            "SELECT COUNT(*) FROM autofill",
                            "form entries"};

// The rows of the cookies of every site the user does not keep.
const char* const kChromiumCookieColumns[] = {"cookies.host_key", nullptr};
const RowsStatement kChromiumCookieStatements[] = {
    {nullptr, "DELETE FROM cookies WHERE NOT vx_kept_site(host_key)"}};
#define VX_CHROMIUM_COOKIES(database)                                                              \
    {                                                                                              \
        database, kChromiumCookieColumns, kChromiumCookieStatements,                               \
            std::size(kChromiumCookieStatements),                                                  \
            "SELECT COUNT(*) FROM cookies WHERE NOT vx_kept_site(host_key)", "cookies"             \
    }
const RowsRule kChromiumCookieRows[] = {VX_CHROMIUM_COOKIES(L"Network\\Cookies"),
                                        VX_CHROMIUM_COOKIES(L"Cookies")};
#undef VX_CHROMIUM_COOKIES

const Removal kChromiumHistory[] = {
    {Removal::Database, L"History", false, nullptr},
    {Removal::Database, L"Top Sites", false, nullptr},
    {Removal::Database, L"Shortcuts", false, nullptr},
    {Removal::Database, L"Network Action Predictor", false, nullptr},
    {Removal::Database, L"Favicons", false, nullptr},
    {Removal::File, L"History Provider Cache", false, nullptr},
    {Removal::File, L"Visited Links", false, nullptr},
};
const Removal kChromiumCache[] = {
    {Removal::Folder, L"Cache", false, nullptr},
    {Removal::Folder, L"Code Cache", false, nullptr},
    {Removal::Folder, L"GPUCache", false, nullptr},
    {Removal::HomeFolder, L"ShaderCache", false, nullptr},
    {Removal::HomeFolder, L"GrShaderCache", false, nullptr},
};
const Removal kChromiumCookies[] = {
    {Removal::Cookies, L"Network\\Cookies", false, &kChromiumCookieRows[0]},
    {Removal::Cookies, L"Cookies", false, &kChromiumCookieRows[1]},
    {Removal::Folder, L"Session Storage", false, nullptr},
    {Removal::SiteFolders, L"IndexedDB", false, nullptr},
};
const Removal kChromiumSession[] = {
    {Removal::Folder, L"Sessions", false, nullptr},
    {Removal::File, L"Current Session", false, nullptr},
    {Removal::File, L"Current Tabs", false, nullptr},
    {Removal::File, L"Last Session", false, nullptr},
    {Removal::File, L"Last Tabs", false, nullptr},
};
const Removal kChromiumFormData[] = {{Removal::Rows, L"Web Data", false, &kAutofill}};
const Removal kChromiumPasswords[] = {
    {Removal::Database, L"Login Data", false, nullptr},
    {Removal::Database, L"Login Data For Account", false, nullptr},
};

// Firefox keeps its bookmarks in the same database as its history: the places a bookmark or a
// keyword names stay, without the dates and counts of visits; every other place goes with its
// visits, annotations and typed input.
const char* const kPlacesColumns[] = {"moz_places.id",
                                      "moz_places.url",
                                      "moz_places.visit_count",
                                      "moz_places.last_visit_date",
                                      "moz_historyvisits.place_id",
                                      "moz_bookmarks.fk",
                                      "moz_inputhistory.place_id",
                                      "moz_keywords.place_id",
                                      nullptr};
#define VX_KEPT_PLACES                                                                             \
    "(SELECT fk FROM moz_bookmarks WHERE fk IS NOT NULL UNION "                                    \
    "SELECT place_id FROM moz_keywords WHERE place_id IS NOT NULL)"
const RowsStatement kPlacesStatements[] = {
    {nullptr, "DELETE FROM moz_historyvisits"},
    {nullptr, "DELETE FROM moz_inputhistory"},
    {"moz_annos", "DELETE FROM moz_annos WHERE place_id NOT IN " VX_KEPT_PLACES},
    {"moz_places_metadata", "DELETE FROM moz_places_metadata"},
    {"moz_places_metadata_search_queries", "DELETE FROM moz_places_metadata_search_queries"},
    {nullptr, "DELETE FROM moz_places WHERE id NOT IN " VX_KEPT_PLACES},
    {nullptr, "UPDATE moz_places SET visit_count = 0, last_visit_date = NULL"},
    {"moz_origins", "DELETE FROM moz_origins WHERE id NOT IN "
                    "(SELECT origin_id FROM moz_places WHERE origin_id IS NOT NULL)"},
};
const RowsRule kPlaces = {L"places.sqlite",
                          kPlacesColumns,
                          kPlacesStatements,
                          std::size(kPlacesStatements),
                          "SELECT (SELECT COUNT(*) FROM moz_historyvisits) + (SELECT COUNT(*) "
                          "FROM moz_places WHERE id NOT IN " VX_KEPT_PLACES ")",
                          "history entries"};
#undef VX_KEPT_PLACES

const char* const kSearchesColumns[] = {"moz_formhistory.fieldname", nullptr};
const RowsStatement kSearchesStatements[] = {
    {nullptr, "DELETE FROM moz_formhistory WHERE fieldname = 'searchbar-history'"}};
const RowsRule kSearches = {
    L"formhistory.sqlite",
    kSearchesColumns,
    kSearchesStatements,
    std::size(kSearchesStatements),
    "SELECT COUNT(*) FROM moz_formhistory WHERE fieldname = 'searchbar-history'",
    "searched terms"};

const Removal kFirefoxHistory[] = {
    {Removal::Rows, L"places.sqlite", false, &kPlaces},
    {Removal::Rows, L"formhistory.sqlite", false, &kSearches},
    {Removal::Database, L"favicons.sqlite", false, nullptr},
};
const Removal kFirefoxCache[] = {
    {Removal::Folder, L"cache2", true, nullptr},
    {Removal::Folder, L"startupCache", true, nullptr},
    {Removal::Folder, L"thumbnails", true, nullptr},
    {Removal::Folder, L"jumpListCache", true, nullptr},
};
const char* const kFirefoxCookieColumns[] = {"moz_cookies.host", nullptr};
const RowsStatement kFirefoxCookieStatements[] = {
    {nullptr, "DELETE FROM moz_cookies WHERE NOT vx_kept_site(host)"}};
const RowsRule kFirefoxCookieRows = {
    L"cookies.sqlite",
    kFirefoxCookieColumns,
    kFirefoxCookieStatements,
    std::size(kFirefoxCookieStatements),
    "SELECT COUNT(*) FROM moz_cookies WHERE NOT vx_kept_site(host)",
    "cookies"};
const Removal kFirefoxCookies[] = {
    {Removal::Cookies, L"cookies.sqlite", false, &kFirefoxCookieRows},
    {Removal::Database, L"webappsstore.sqlite", false, nullptr},
    {Removal::SiteFolders, L"storage\\default", false, nullptr},
};
const Removal kFirefoxSession[] = {
    {Removal::File, L"sessionstore.jsonlz4", false, nullptr},
    {Removal::File, L"sessionstore.js", false, nullptr},
    {Removal::Folder, L"sessionstore-backups", false, nullptr},
};
const Removal kFirefoxFormData[] = {{Removal::Database, L"formhistory.sqlite", false, nullptr}};
const Removal kFirefoxPasswords[] = {
    {Removal::File, L"logins.json", false, nullptr},
    {Removal::File, L"logins-backup.json", false, nullptr},
    {Removal::Database, L"signons.sqlite", false, nullptr},
};

#define VX_TRACE(trace, table)                                                                     \
    { BrowserTrace::trace, table, std::size(table) }
const TraceRemovals kChromium[] = {
    VX_TRACE(History, kChromiumHistory),   VX_TRACE(Cache, kChromiumCache),
    VX_TRACE(Cookies, kChromiumCookies),   VX_TRACE(Session, kChromiumSession),
    VX_TRACE(FormData, kChromiumFormData), VX_TRACE(Passwords, kChromiumPasswords),
};
const TraceRemovals kFirefox[] = {
    VX_TRACE(History, kFirefoxHistory),   VX_TRACE(Cache, kFirefoxCache),
    VX_TRACE(Cookies, kFirefoxCookies),   VX_TRACE(Session, kFirefoxSession),
    VX_TRACE(FormData, kFirefoxFormData), VX_TRACE(Passwords, kFirefoxPasswords),
};
#undef VX_TRACE

const TraceRemovals& RemovalsOf(VxBrowser browser, BrowserTrace trace) {
    return (browser == VxBrowser::Firefox ? kFirefox : kChromium)[int(trace)];
}

std::wstring Place(const BrowserProfile& profile, const Removal& removal) {
    return path::Join(removal.local ? profile.local : profile.folder, removal.path);
}

void EraseDatabase(const std::wstring& database, bool withLog) {
    std::vector<std::wstring> files = {database, database + L"-journal"};
    if (withLog) {
        files.push_back(database + L"-wal");
        files.push_back(database + L"-shm");
    }
    shred::TheseFiles(files);
}

// "https_mail.example.com_0.indexeddb.leveldb", "https+++example.com^userContextId=1": the host
// runs from the scheme's end to the first "_", "+" or "^".
std::string SiteFolderHost(const std::wstring& name, size_t prefix) {
    const size_t end = name.find_first_of(L"_+^", prefix);
    return fs::ToUtf8(name.substr(prefix, end == std::wstring::npos ? end : end - prefix));
}

// The folder of a kept site stays, and counts as kept.
void RemoveSiteFolders(const std::wstring& storage) {
    std::vector<std::wstring> sites;
    for (fs::FolderSearch search(path::Join(storage, L"*")); search; search.Next()) {
        const std::wstring name = search.Entry().cFileName;
        for (const wchar_t* prefix : kSitePrefixes)
            if (name.compare(0, wcslen(prefix), prefix) != 0)
                continue;
            else if (removal::KeepsCookiesOf(SiteFolderHost(name, wcslen(prefix))))
                removal::LeaveKept(path::Join(storage, name));
            else
                sites.push_back(path::Join(storage, name));
    }
    for (const std::wstring& site : sites)
        shred::WholeFolder(site);
}

// The line of a database left as it was, and what stays counts as left.
void LeaveDatabase(VxBrowser browser, const BrowserProfile& profile, const RowsRule& rule,
                   RowsOutcome outcome) {
    const std::string where = std::string(BrowserName(browser)) + ", profile " + profile.name +
                              ": " + fs::ToUtf8(rule.database);
    const std::string what = outcome == RowsOutcome::Held ? "is in use by another program"
                             : outcome == RowsOutcome::Unknown
                                 ? "is no database of a kind this version knows"
                                 : "could not be opened";
    removal::Note(where + " " + what + "; it was left as it is");
    if (!removal::Previewing())
        removal::Left(path::Join(profile.folder, rule.database), ("it " + what).c_str());
}

// A database the user keeps is not opened.
void RemoveRowsOf(VxBrowser browser, const BrowserProfile& profile, const RowsRule& rule) {
    const std::wstring database = path::Join(profile.folder, rule.database);
    if (fs::Attributes(database) == INVALID_FILE_ATTRIBUTES)
        return;
    if (removal::IsKept(database)) {
        removal::LeaveKept(database);
        return;
    }
    const RowsResult result =
        removal::Previewing() ? CountRows(database, rule) : RemoveRows(database, rule);
    if (result.outcome != RowsOutcome::Done) {
        LeaveDatabase(browser, profile, rule, result.outcome);
        return;
    }
    if (result.rows > 0)
        removal::Report(VxTraceKind::Rows, database,
                        fs::FromUtf8(std::to_string(result.rows) + " " + rule.what));
    if (removal::Previewing())
        return;
    std::vector<std::wstring> journals = {database + L"-journal"};
    if (result.logWrittenBack) {
        journals.push_back(database + L"-wal");
        journals.push_back(database + L"-shm");
    }
    shred::TheseFiles(journals);
}

void Remove(VxBrowser browser, const BrowserProfile& profile, const Removal& removal,
            const std::wstring& home) {
    switch (removal.kind) {
    case Removal::Database:
        EraseDatabase(Place(profile, removal), true);
        break;
    case Removal::File:
        shred::TheseFiles({Place(profile, removal)});
        break;
    case Removal::Folder:
        if (fs::Attributes(Place(profile, removal)) != INVALID_FILE_ATTRIBUTES)
            shred::Files(Place(profile, removal), L"*.*", true);
        break;
    case Removal::SiteFolders:
        RemoveSiteFolders(Place(profile, removal));
        break;
    case Removal::Rows:
        RemoveRowsOf(browser, profile, *removal.rows);
        break;
    case Removal::Cookies:
        if (removal::KeepsAnySite())
            RemoveRowsOf(browser, profile, *removal.rows);
        else
            EraseDatabase(Place(profile, removal), true);
        break;
    case Removal::HomeFolder:
        if (fs::Attributes(path::Join(home, removal.path)) != INVALID_FILE_ATTRIBUTES)
            shred::Files(path::Join(home, removal.path), L"*.*", true);
        break;
    }
}

} // namespace

void CleanBrowser(VxBrowser browser, BrowserTrace trace) {
    const std::vector<BrowserProfile> profiles = BrowserProfiles(browser);
    if (profiles.empty())
        return;
    if (BrowserRunning(browser, profiles)) {
        removal::Note(std::string(BrowserName(browser)) + " is running: close it and shred again");
        if (!removal::Previewing())
            removal::Left(fs::FromUtf8(BrowserName(browser)), "it is running");
        return;
    }
    std::wstring home;
    BrowserHome(browser, home);
    const TraceRemovals& removals = RemovalsOf(browser, trace);
    for (const BrowserProfile& profile : profiles)
        for (size_t i = 0; i < removals.count; ++i) {
            const Removal& removal = removals.removals[i];
            if (removal.kind != Removal::HomeFolder || &profile == &profiles.front())
                Remove(browser, profile, removal, home);
        }
}
