#include "ForensicBrowsers.h"

#include "Handle.h"

#include <windows.h>
#include <sqlite3.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

namespace {

const char kUserShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr int kVisits = 300;

void MakeFolders(const std::string& path) {
    for (size_t slash = path.find('\\', 3); slash != std::string::npos;
         slash = path.find('\\', slash + 1))
        CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
}

void Write(const std::string& path, const std::string& text) {
    const FileHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.Get(), text.data(), DWORD(text.size()), &written, nullptr))
        throw std::runtime_error("cannot write " + path);
}

// In one transaction with the journal in memory, so that no journal file of the making leaves
// the rows in the volume's free space before the run begins.
void MakeDatabase(const std::string& path, const std::vector<std::string>& statements) {
    sqlite3* db = nullptr;
    bool done = sqlite3_open(path.c_str(), &db) == SQLITE_OK &&
                sqlite3_exec(db, "PRAGMA journal_mode = MEMORY; BEGIN", nullptr, nullptr,
                             nullptr) == SQLITE_OK;
    for (const std::string& statement : statements)
        done = done && sqlite3_exec(db, statement.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    done = done && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    if (!done)
        throw std::runtime_error("cannot make " + path);
}

std::string Marker(const std::string& tag, const std::string& id) {
    return "|" + tag + "|" + id + "|";
}

// The application data folders pointed at the volume, and back as they were.
class FoldersOnVolume {
public:
    explicit FoldersOnVolume(const std::string& root) {
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kUserShellFolders, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                          m_key.Put()) != ERROR_SUCCESS)
            throw std::runtime_error("cannot open the shell folders");
        for (auto& [name, old] : m_old) {
            char value[MAX_PATH] = {};
            DWORD size = sizeof value, type = 0;
            if (RegQueryValueExA(m_key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(value),
                                 &size) == ERROR_SUCCESS)
                old = std::string(value) + '\0' + char(type);
            const std::string folder = root + (name[0] == 'A' ? "\\Roaming" : "\\Local");
            RegSetValueExA(m_key.Get(), name, 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(folder.c_str()), DWORD(folder.size() + 1));
        }
    }
    ~FoldersOnVolume() {
        for (const auto& [name, old] : m_old) {
            if (old.empty()) {
                RegDeleteValueA(m_key.Get(), name);
                continue;
            }
            const std::string text = old.substr(0, old.find('\0'));
            RegSetValueExA(m_key.Get(), name, 0, DWORD(old.back()),
                           reinterpret_cast<const BYTE*>(text.c_str()), DWORD(text.size() + 1));
        }
    }
    FoldersOnVolume(const FoldersOnVolume&) = delete;
    FoldersOnVolume& operator=(const FoldersOnVolume&) = delete;

private:
    RegKey m_key;
    std::pair<const char*, std::string> m_old[2] = {{"AppData", ""}, {"Local AppData", ""}};
};

} // namespace

void MakeBrowserProfiles(const std::string& root, const std::string& tag,
                         const std::string& keptTag) {
    const std::string chrome = root + "\\Local\\Google\\Chrome\\User Data\\Default";
    MakeFolders(chrome + "\\Network");
    Write(chrome + "\\Preferences", "{}");
    std::vector<std::string> history = {
        "CREATE TABLE urls(id INTEGER PRIMARY KEY, url TEXT, title TEXT)",
        "CREATE TABLE visits(id INTEGER PRIMARY KEY, url INTEGER)"};
    for (int i = 0; i < kVisits; ++i)
        history.push_back("INSERT INTO urls(url, title) VALUES('https://example.test/" +
                          Marker(tag, "chrome" + std::to_string(i)) + "', 'page')");
    MakeDatabase(chrome + "\\History", history);
    MakeDatabase(chrome + "\\Network\\Cookies",
                 {"CREATE TABLE cookies(host_key TEXT, value TEXT)",
                  "INSERT INTO cookies VALUES('" + Marker(tag, "chromecookie") + "', 'x')"});

    const std::string firefox = root + "\\Roaming\\Mozilla\\Firefox";
    const std::string profile = root + "\\ffprofile";
    MakeFolders(firefox);
    MakeFolders(profile);
    Write(firefox + "\\profiles.ini",
          "[Profile0]\r\nName=default\r\nIsRelative=0\r\nPath=" + profile + "\r\n");
    std::vector<std::string> places = {
        "CREATE TABLE moz_places(id INTEGER PRIMARY KEY, url TEXT, title TEXT, "
        "visit_count INTEGER, last_visit_date INTEGER)",
        "CREATE TABLE moz_historyvisits(id INTEGER PRIMARY KEY, place_id INTEGER)",
        "CREATE TABLE moz_bookmarks(id INTEGER PRIMARY KEY, fk INTEGER, title TEXT)",
        "CREATE TABLE moz_inputhistory(place_id INTEGER, input TEXT)",
        "CREATE TABLE moz_keywords(id INTEGER PRIMARY KEY, place_id INTEGER)",
        "INSERT INTO moz_places VALUES(1, 'https://example.test/" + Marker(keptTag, "bookmark") +
            "', 'kept', 1, 1)",
        "INSERT INTO moz_bookmarks VALUES(1, 1, 'kept')"};
    for (int i = 0; i < kVisits; ++i) {
        places.push_back("INSERT INTO moz_places(url, title, visit_count) VALUES("
                         "'https://example.test/" +
                         Marker(tag, "firefox" + std::to_string(i)) + "', 'page', 1)");
        places.push_back("INSERT INTO moz_historyvisits(place_id) VALUES(last_insert_rowid())");
    }
    places.push_back("INSERT INTO moz_inputhistory VALUES(2, '" + Marker(tag, "typed") + "')");
    MakeDatabase(profile + "\\places.sqlite", places);
    MakeDatabase(profile + "\\cookies.sqlite",
                 {"CREATE TABLE moz_cookies(host TEXT, value TEXT)",
                  "INSERT INTO moz_cookies VALUES('" + Marker(tag, "firefoxcookie") + "', 'x')"});
    std::printf("chrome0 firefox0 typed chromecookie firefoxcookie\n");
}

void ShredBrowsers(CVxMain& engine, const std::string& root) {
    const FoldersOnVolume folders(root);
    engine.IniLib();
    for (auto member :
         {&CVxMain::DelChromeHistory, &CVxMain::DelChromeCache, &CVxMain::DelChromeCookies,
          &CVxMain::DelChromeSession, &CVxMain::DelChromeFormData, &CVxMain::DelFirefoxHistory,
          &CVxMain::DelFirefoxCache, &CVxMain::DelFirefoxCookies, &CVxMain::DelFirefoxSession,
          &CVxMain::DelFirefoxFormData})
        (engine.*member)();
    engine.UnIniLib();
}
