#include "BrowserProfiles.h"

#include "FileSystem.h"
#include "Handle.h"
#include "PathText.h"
#include "ProfileLists.h"
#include "ShellFolder.h"

#include <windows.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstring>

namespace {

// A list file larger than this is no list a browser wrote.
constexpr DWORD kMaxListFile = 4 << 20;

struct BrowserPlace {
    const char* name;
    int csidl;
    const char* home;
    const char* program;
    // Held open by the running browser: in its home, or in each profile.
    const wchar_t* lock;
    bool lockInProfile;
};

const BrowserPlace kPlaces[] = {
    {"Google Chrome", CSIDL_LOCAL_APPDATA, "\\Google\\Chrome\\User Data", "chrome.exe", L"lockfile",
     false},
    {"Microsoft Edge", CSIDL_LOCAL_APPDATA, "\\Microsoft\\Edge\\User Data", "msedge.exe",
     L"lockfile", false},
    {"Mozilla Firefox", CSIDL_APPDATA, "\\Mozilla\\Firefox", "firefox.exe", L"parent.lock", true},
};

const BrowserPlace& Place(VxBrowser browser) {
    return kPlaces[int(browser)];
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = fs::Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool ReadListFile(const std::wstring& path, std::string& text) {
    const FileHandle file =
        fs::Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                 OPEN_EXISTING, 0);
    LARGE_INTEGER size;
    if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMaxListFile)
        return false;
    text.resize(size_t(size.QuadPart));
    DWORD read = 0;
    return text.empty() || (ReadFile(file.Get(), &text[0], DWORD(text.size()), &read, nullptr) &&
                            read == text.size());
}

// One name of a folder: no separator, no drive colon, no "." or "..".
bool IsPlainName(const std::wstring& name) {
    return !name.empty() && name.find_first_of(L"\\/:") == std::wstring::npos &&
           !path::IsDotName(name);
}

std::vector<BrowserProfile> ChromiumProfiles(const std::wstring& home) {
    std::vector<std::wstring> names;
    std::string state;
    if (ReadListFile(path::Join(home, L"Local State"), state))
        for (const std::string& name : ChromiumProfileNames(state))
            names.push_back(fs::FromUtf8(name));
    for (fs::FolderSearch search(path::Join(home, L"*")); search; search.Next()) {
        const std::wstring name = search.Entry().cFileName;
        if (IsPlainName(name) &&
            fs::Attributes(path::Join(path::Join(home, name), L"Preferences")) !=
                INVALID_FILE_ATTRIBUTES)
            names.push_back(name);
    }
    std::vector<BrowserProfile> profiles;
    for (const std::wstring& name : names) {
        const std::wstring folder = path::Join(home, name);
        const bool known = std::any_of(profiles.begin(), profiles.end(), [&](const auto& p) {
            return lstrcmpiW(p.folder.c_str(), folder.c_str()) == 0;
        });
        if (!known && IsPlainName(name) && IsFolder(folder))
            profiles.push_back({folder, folder, fs::ToUtf8(name)});
    }
    return profiles;
}

// A relative path of plain names, each folder on it no link.
bool RelativeFolder(const std::wstring& home, const std::wstring& relative, std::wstring& folder) {
    folder = home;
    for (size_t start = 0; start <= relative.size();) {
        size_t end = relative.find(L'\\', start);
        if (end == std::wstring::npos)
            end = relative.size();
        const std::wstring name = relative.substr(start, end - start);
        if (!IsPlainName(name))
            return false;
        folder = path::Join(folder, name);
        if (!IsFolder(folder))
            return false;
        start = end + 1;
    }
    return true;
}

std::vector<BrowserProfile> FirefoxProfileList(const std::wstring& home) {
    std::string ini;
    if (!ReadListFile(path::Join(home, L"profiles.ini"), ini))
        return {};
    std::wstring localHome;
    ShellFolderPath(CSIDL_LOCAL_APPDATA, "\\Mozilla\\Firefox", localHome);
    std::vector<BrowserProfile> profiles;
    for (const IniProfile& listed : FirefoxProfiles(ini)) {
        std::wstring given = fs::FromUtf8(listed.path);
        std::replace(given.begin(), given.end(), L'/', L'\\');
        BrowserProfile profile{{}, {}, listed.path};
        if (listed.relative) {
            if (!RelativeFolder(home, given, profile.folder))
                continue;
            profile.local = localHome.empty() ? profile.folder : path::Join(localHome, given);
        } else {
            if (given.size() < 3 || given[1] != L':' || !fs::SystemPath(given, profile.folder) ||
                !IsFolder(profile.folder))
                continue;
            profile.local = profile.folder;
        }
        profiles.push_back(profile);
    }
    return profiles;
}

// The program's name is plain ASCII, so the ANSI list, which every system has, serves.
bool ProgramRuns(const char* program) {
    const FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return false;
    PROCESSENTRY32 process = {};
    process.dwSize = sizeof process;
    for (BOOL more = Process32First(snapshot.Get(), &process); more;
         more = Process32Next(snapshot.Get(), &process)) {
        const char* name = strrchr(process.szExeFile, '\\');
        if (lstrcmpiA(name ? name + 1 : process.szExeFile, program) == 0)
            return true;
    }
    return false;
}

// A lock file that another program holds open alone.
bool IsHeld(const std::wstring& lock) {
    if (fs::Attributes(lock) == INVALID_FILE_ATTRIBUTES)
        return false;
    return !fs::Open(lock, GENERIC_READ, 0, OPEN_EXISTING, 0) &&
           GetLastError() == ERROR_SHARING_VIOLATION;
}

} // namespace

const char* BrowserName(VxBrowser browser) {
    return Place(browser).name;
}

bool BrowserHome(VxBrowser browser, std::wstring& home) {
    return ShellFolderPath(Place(browser).csidl, Place(browser).home, home) && IsFolder(home);
}

std::vector<BrowserProfile> BrowserProfiles(VxBrowser browser) {
    std::wstring home;
    if (!BrowserHome(browser, home))
        return {};
    return browser == VxBrowser::Firefox ? FirefoxProfileList(home) : ChromiumProfiles(home);
}

bool BrowserRunning(VxBrowser browser, const std::vector<BrowserProfile>& profiles) {
    const BrowserPlace& place = Place(browser);
    if (ProgramRuns(place.program))
        return true;
    if (place.lockInProfile)
        return std::any_of(profiles.begin(), profiles.end(), [&](const BrowserProfile& profile) {
            return IsHeld(path::Join(profile.folder, place.lock));
        });
    std::wstring home;
    return BrowserHome(browser, home) && IsHeld(path::Join(home, place.lock));
}

bool VxBrowserInstalled(VxBrowser browser) noexcept {
    try {
        return !BrowserProfiles(browser).empty();
    } catch (...) {
        return false;
    }
}
