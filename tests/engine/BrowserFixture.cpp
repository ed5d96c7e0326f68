#include "BrowserFixture.h"

#include "common/RegistryFixture.h"

namespace {

const char kUserShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// Each profile's visits: a page, a download and a search.
const char* const kChromiumHistory[] = {
    "CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT)",
    "INSERT INTO meta VALUES('version', '67')",
    "CREATE TABLE urls(id INTEGER PRIMARY KEY, url TEXT, title TEXT, visit_count INTEGER)",
    "CREATE TABLE visits(id INTEGER PRIMARY KEY, url INTEGER, visit_time INTEGER)",
    "CREATE TABLE downloads(id INTEGER PRIMARY KEY, target_path TEXT, tab_url TEXT)",
    "CREATE TABLE keyword_search_terms(keyword_id INTEGER, url_id INTEGER, term TEXT)",
    "INSERT INTO urls VALUES(1, 'https://visited-chromium.example/secret-page', 'Secret', 3)",
    "INSERT INTO visits VALUES(1, 1, 13300000000000000)",
    "INSERT INTO downloads VALUES(1, 'C:\\Downloads\\report.pdf', "
    "'https://download-chromium.example/report.pdf')",
    "INSERT INTO keyword_search_terms VALUES(2, 1, 'searched-chromium-term')",
};

} // namespace

const char* const kVisitedAddresses[] = {"visited-chromium.example", "download-chromium.example",
                                         "searched-chromium-term",   "visited-firefox.example",
                                         "typed-firefox-term",       nullptr};
const char kBookmarkedAddress[] = "bookmarked-firefox.example";

void MakeProfileDatabase(const std::string& path, const std::vector<std::string>& statements) {
    MakeFolders(path.substr(0, path.rfind('\\')));
    MakeDatabase(path, statements);
}

BrowserFixture::BrowserFixture()
    : m_roaming(HKEY_CURRENT_USER, kUserShellFolders, "AppData"),
      m_local(HKEY_CURRENT_USER, kUserShellFolders, "Local AppData"),
      m_chrome(m_scratch.Path() + "\\Local\\Google\\Chrome\\User Data"),
      m_edge(m_scratch.Path() + "\\Local\\Microsoft\\Edge\\User Data"),
      m_firefox(m_scratch.Path() + "\\Roaming\\Mozilla\\Firefox") {
    SetString(kUserShellFolders, "AppData", m_scratch.Path() + "\\Roaming");
    SetString(kUserShellFolders, "Local AppData", m_scratch.Path() + "\\Local");
    MakeFolders(m_chrome);
    WriteText(m_chrome + "\\Local State",
              R"({"profile":{"info_cache":{"Default":{"name":"Me"},"Profile 1":{},)"
              R"("..\\..\\Outside":{}}}})");
    WriteText(m_chrome + "\\lockfile", "");
    MakeChromium(ChromeDefault());
    MakeChromium(ChromeSecond());
    MakeFolders(m_chrome + "\\ShaderCache");
    WriteText(m_chrome + "\\ShaderCache\\data_0", "compiled shader");
    MakeChromium(EdgeDefault());
    // What the lists name outside the browsers' folders.
    MakeFolders(m_scratch.Path() + "\\Roaming\\Outside");
    WriteText(m_scratch.Path() + "\\Roaming\\Outside\\cookies.sqlite", "outside");
    MakeFolders(m_scratch.Path() + "\\Local\\Google\\Outside");
    WriteText(m_scratch.Path() + "\\Local\\Google\\Outside\\History", "outside");
    MakeFolders(m_firefox);
    WriteText(m_firefox + "\\profiles.ini",
              "[General]\r\nStartWithLastProfile=1\r\n\r\n[Profile0]\r\nName=default\r\n"
              "IsRelative=1\r\nPath=Profiles/abc.default\r\nDefault=1\r\n\r\n[Profile1]\r\n"
              "Name=work\r\nIsRelative=0\r\nPath=" +
                  FirefoxWork() +
                  "\r\n\r\n[Profile2]\r\nName=linked\r\nIsRelative=0\r\n"
                  "Path=C:\\vxlinks\\browsers\\linked\r\n\r\n[Profile3]\r\nName=escape\r\n"
                  "IsRelative=1\r\nPath=../../Outside\r\n");
    MakeFirefox(FirefoxDefault(), FirefoxDefaultCache());
    MakeFirefox(FirefoxWork(), FirefoxWork());
}

std::string BrowserFixture::FirefoxDefaultCache() const {
    return m_scratch.Path() + "\\Local\\Mozilla\\Firefox\\Profiles\\abc.default";
}

void BrowserFixture::MakeChromium(const std::string& profile) {
    MakeFolders(profile + "\\Network");
    WriteText(profile + "\\Preferences", R"({"homepage":"https://kept.example/"})");
    WriteText(profile + "\\Bookmarks", R"({"roots":{"bookmark_bar":{"url":"https://kept/"}}})");
    MakeFolders(profile + "\\Extensions\\abcdefgh\\1.0");
    WriteText(profile + "\\Extensions\\abcdefgh\\1.0\\manifest.json", R"({"name":"kept"})");
    MakeProfileDatabase(
        profile + "\\History",
        std::vector<std::string>(std::begin(kChromiumHistory), std::end(kChromiumHistory)));
    WriteText(profile + "\\History-journal", "visited-chromium.example in a journal");
    MakeProfileDatabase(profile + "\\Network\\Cookies",
                        {"CREATE TABLE cookies(host_key TEXT, name TEXT, value TEXT)",
                         "INSERT INTO cookies VALUES('.visited-chromium.example', 'sid', 'x')"});
    MakeProfileDatabase(
        profile + "\\Web Data",
        {"CREATE TABLE autofill(name TEXT, value TEXT, count INTEGER)",
         "CREATE TABLE keywords(id INTEGER PRIMARY KEY, short_name TEXT, keyword TEXT)",
         "INSERT INTO autofill VALUES('email', 'me@visited-chromium.example', 4)",
         "INSERT INTO keywords VALUES(1, 'Kept engine', 'kept.example')"});
    MakeProfileDatabase(
        profile + "\\Login Data",
        {"CREATE TABLE logins(origin_url TEXT, username_value TEXT, password_value BLOB)",
         "INSERT INTO logins VALUES('https://login.example/', 'me', x'00')"});
    MakeFolders(profile + "\\Cache\\Cache_Data");
    WriteText(profile + "\\Cache\\Cache_Data\\f_000001", "cached visited-chromium.example page");
    MakeFolders(profile + "\\Code Cache\\js");
    WriteText(profile + "\\Code Cache\\js\\index", "code");
    MakeFolders(profile + "\\Sessions");
    WriteText(profile + "\\Sessions\\Session_13300000000000000", "tabs of visited-chromium");
    WriteText(profile + "\\Current Session", "tabs");
    MakeFolders(profile + "\\IndexedDB\\https_visited-chromium.example_0.indexeddb.leveldb");
    WriteText(profile + "\\IndexedDB\\https_visited-chromium.example_0.indexeddb.leveldb\\1.log",
              "site data");
    MakeFolders(profile + "\\IndexedDB\\chrome-extension_abcdefgh_0.indexeddb.leveldb");
    WriteText(profile + "\\IndexedDB\\chrome-extension_abcdefgh_0.indexeddb.leveldb\\1.log",
              "an extension's data");
    MakeFolders(profile + "\\Local Storage\\leveldb");
    WriteText(profile + "\\Local Storage\\leveldb\\000003.log", "kept storage");
}

// The bookmarked place keeps its row, without its visits; the visited place goes with its
// visits, annotation and typed input.
void BrowserFixture::MakeFirefox(const std::string& profile, const std::string& cache) {
    MakeFolders(profile);
    WriteText(profile + "\\prefs.js", "user_pref(\"kept\", true);");
    MakeFolders(profile + "\\extensions");
    WriteText(profile + "\\extensions\\kept@example.xpi", "an extension");
    WriteText(profile + "\\key4.db", "kept keys");
    MakeDatabase(
        profile + "\\places.sqlite",
        {"CREATE TABLE moz_origins(id INTEGER PRIMARY KEY, host TEXT)",
         "CREATE TABLE moz_places(id INTEGER PRIMARY KEY, url TEXT, title TEXT, "
         "visit_count INTEGER, last_visit_date INTEGER, origin_id INTEGER)",
         "CREATE TABLE moz_historyvisits(id INTEGER PRIMARY KEY, place_id INTEGER, "
         "visit_date INTEGER)",
         "CREATE TABLE moz_bookmarks(id INTEGER PRIMARY KEY, fk INTEGER, title TEXT)",
         "CREATE TABLE moz_inputhistory(place_id INTEGER, input TEXT)",
         "CREATE TABLE moz_keywords(id INTEGER PRIMARY KEY, keyword TEXT, place_id INTEGER)",
         "CREATE TABLE moz_annos(id INTEGER PRIMARY KEY, place_id INTEGER, content TEXT)",
         "INSERT INTO moz_origins VALUES(1, 'visited-firefox.example')",
         "INSERT INTO moz_origins VALUES(2, 'bookmarked-firefox.example')",
         "INSERT INTO moz_places VALUES(1, 'https://visited-firefox.example/secret', 'S', 5, 99, "
         "1)",
         "INSERT INTO moz_places VALUES(2, 'https://bookmarked-firefox.example/', 'B', 2, 98, 2)",
         "INSERT INTO moz_places VALUES(3, 'https://keyword.example/?q=%s', 'K', 1, 97, 2)",
         "INSERT INTO moz_historyvisits VALUES(1, 1, 99)",
         "INSERT INTO moz_historyvisits VALUES(2, 2, 98)",
         "INSERT INTO moz_bookmarks VALUES(1, 2, 'Kept bookmark')",
         "INSERT INTO moz_bookmarks VALUES(2, NULL, 'Kept folder')",
         "INSERT INTO moz_keywords VALUES(1, 'k', 3)",
         "INSERT INTO moz_inputhistory VALUES(1, 'typed-firefox-term')",
         "INSERT INTO moz_annos VALUES(1, 1, 'visited-firefox.example download')"});
    MakeProfileDatabase(
        profile + "\\formhistory.sqlite",
        {"CREATE TABLE moz_formhistory(id INTEGER PRIMARY KEY, fieldname TEXT, "
         "value TEXT)",
         "INSERT INTO moz_formhistory VALUES(1, 'searchbar-history', "
         "'typed-firefox-term')",
         "INSERT INTO moz_formhistory VALUES(2, 'email', 'me@visited-firefox.example')"});
    MakeProfileDatabase(profile + "\\cookies.sqlite",
                        {"CREATE TABLE moz_cookies(host TEXT, name TEXT, value TEXT)",
                         "INSERT INTO moz_cookies VALUES('visited-firefox.example', 'sid', 'x')"});
    WriteText(profile + "\\logins.json", R"({"logins":[{"hostname":"https://login.example"}]})");
    WriteText(profile + "\\sessionstore.jsonlz4", "tabs of visited-firefox.example");
    MakeFolders(profile + "\\sessionstore-backups");
    WriteText(profile + "\\sessionstore-backups\\recovery.jsonlz4", "tabs");
    MakeFolders(profile + "\\storage\\default\\https+++visited-firefox.example\\ls");
    WriteText(profile + "\\storage\\default\\https+++visited-firefox.example\\ls\\data.sqlite",
              "site data");
    MakeFolders(profile + "\\storage\\default\\moz-extension+++abc\\idb");
    WriteText(profile + "\\storage\\default\\moz-extension+++abc\\idb\\1.sqlite",
              "an extension's data");
    MakeFolders(cache + "\\cache2\\entries");
    WriteText(cache + "\\cache2\\entries\\0A1B2C", "cached visited-firefox.example page");
}

std::vector<std::string> BrowserFixture::Kept() const {
    std::vector<std::string> kept;
    for (const std::string& profile : {ChromeDefault(), ChromeSecond(), EdgeDefault()})
        for (const char* file :
             {"\\Preferences", "\\Bookmarks", "\\Extensions\\abcdefgh\\1.0\\manifest.json",
              "\\IndexedDB\\chrome-extension_abcdefgh_0.indexeddb.leveldb\\1.log",
              "\\Local Storage\\leveldb\\000003.log"})
            kept.push_back(profile + file);
    for (const std::string& profile : {FirefoxDefault(), FirefoxWork()})
        for (const char* file : {"\\prefs.js", "\\extensions\\kept@example.xpi", "\\key4.db",
                                 "\\storage\\default\\moz-extension+++abc\\idb\\1.sqlite"})
            kept.push_back(profile + file);
    kept.push_back(m_scratch.Path() + "\\Roaming\\Outside\\cookies.sqlite");
    kept.push_back(m_scratch.Path() + "\\Local\\Google\\Outside\\History");
    kept.push_back("C:\\vxlinks\\browsers\\real\\cookies.sqlite");
    return kept;
}
