#include "ForensicBrowsers.h"

#include "Handle.h"
#include "common/Database.h"
#include "common/ValueGuard.h"

#include <windows.h>

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

void Check(bool made) {
    if (!made)
        throw std::runtime_error("a database of the profiles could not be made");
}

std::string Marker(const std::string& tag, const std::string& id) {
    return "|" + tag + "|" + id + "|";
}

// The application data folders pointed at the volume, and back as they were.
class FoldersOnVolume {
public:
    explicit FoldersOnVolume(const std::string& root) {
        for (const char* name : {"AppData", "Local AppData"}) {
            const std::string folder = root + (name[0] == 'A' ? "\\Roaming" : "\\Local");
            WriteRegistryValue(HKEY_CURRENT_USER, kUserShellFolders, name, REG_SZ, folder.c_str(),
                               DWORD(folder.size() + 1));
        }
    }

private:
    ValueGuard m_roaming{HKEY_CURRENT_USER, kUserShellFolders, "AppData"};
    ValueGuard m_local{HKEY_CURRENT_USER, kUserShellFolders, "Local AppData"};
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
    Check(MakeDatabase(chrome + "\\History", history));
    Check(MakeDatabase(chrome + "\\Network\\Cookies",
                       {"CREATE TABLE cookies(host_key TEXT, value TEXT)",
                        "INSERT INTO cookies VALUES('" + Marker(tag, "chromecookie") + "', 'x')"}));

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
    Check(MakeDatabase(profile + "\\places.sqlite", places));
    Check(MakeDatabase(
        profile + "\\cookies.sqlite",
        {"CREATE TABLE moz_cookies(host TEXT, value TEXT)",
         "INSERT INTO moz_cookies VALUES('" + Marker(tag, "firefoxcookie") + "', 'x')"}));
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
