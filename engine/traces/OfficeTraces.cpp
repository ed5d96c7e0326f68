// Recent-file and save-dialog lists of the Office programs, for every installed Office version,
// and the Office folders of recent files and solution caches.
#include "Handle.h"
#include "Silently.h"
#include "TraceKey.h"
#include "TraceSteps.h"
#include "VxMain.h"

#include <mbstring.h>
#include <shlobj.h>

#include <vector>

namespace {

const char kOfficeKey[] = "Software\\Microsoft\\Office";
const char* const kAllVersions[] = {"6.0", "7.0", "8.0", "9.0", "10.0", "11.0"};
const char* const kPublisherVersions[] = {"10.0", "11.0"};
const char* const kInfoPathVersions[] = {"10.0"};

// The save dialog's name is three characters of code page 936, passed as bytes to the ANSI
// registry calls.
const char kSaveAsDialog[] = "\xC1\xED\xB4\xE6\xCE\xAA";

constexpr DWORD kAccessValueNameSize = 25;

struct VersionKey {
    CString path;
    bool highest;
};

// The highest installed version first (an empty name when there is none), then the fixed list.
template <size_t N>
std::vector<VersionKey> Versions(const CString& highest, const char* const (&fixed)[N]) {
    std::vector<VersionKey> versions{{CString(kOfficeKey) + "\\" + highest, true}};
    for (const char* version : fixed)
        versions.push_back({CString(kOfficeKey) + "\\" + version, false});
    return versions;
}

void RemoveOpenFindValue(const CString& version, const char* application) {
    TraceKey(HKEY_CURRENT_USER, version + "\\Common\\Open Find\\Microsoft Office " + application +
                                    "\\Settings\\" + kSaveAsDialog + "\\File Name MRU")
        .DeleteValue("Value");
}

// Deletes the given trees below the version key, then the application's Open Find value
// whether or not the version key exists.
void RemoveTreesAndOpenFind(const CString& version, std::initializer_list<const char*> trees,
                            const char* application) {
    DeleteKeyTrees(HKEY_CURRENT_USER, version, trees);
    RemoveOpenFindValue(version, application);
}

// Empties the value so that the application finds it present but blank.
bool BlankValues(const char* path, std::initializer_list<const char*> names) {
    TraceKey key(HKEY_CURRENT_USER, path);
    if (!key.IsOpen())
        return false;
    for (const char* name : names)
        key.SetText(name, "");
    return true;
}

bool StartsWithMru(const char* name) {
    return _mbsnbicmp(reinterpret_cast<const unsigned char*>(name),
                      reinterpret_cast<const unsigned char*>("MRU"), 3) == 0;
}

} // namespace

void CVxMain::DelOfficeRecent() {
    Silently([&] { EmptyShellFolder(CSIDL_APPDATA, "\\Microsoft\\Office\\Recent"); });
}

// A fixed-list version loses its Open Find value only when its Word data key exists.
void CVxMain::DelWord() {
    Silently([&] {
        for (const VersionKey& version :
             Versions(GetMaxVer(HKEY_CURRENT_USER, kOfficeKey), kAllVersions)) {
            TraceKey data(HKEY_CURRENT_USER, version.path + "\\Word\\Data");
            const bool opened = data.IsOpen();
            data.DeleteValue("Settings");
            if (opened || version.highest)
                RemoveOpenFindValue(version.path, "Word");
        }
    });
}

void CVxMain::DelExcel() {
    Silently([&] {
        for (const VersionKey& version :
             Versions(GetMaxVer(HKEY_CURRENT_USER, kOfficeKey), kAllVersions))
            RemoveTreesAndOpenFind(version.path, {"Excel\\Recent Files"}, "Excel");
    });
}

void CVxMain::DelPowerPoint() {
    Silently([&] {
        for (const VersionKey& version :
             Versions(GetMaxVer(HKEY_CURRENT_USER, kOfficeKey), kAllVersions))
            RemoveTreesAndOpenFind(version.path, {"PowerPoint\\Recent File List"}, "PowerPoint");
    });
}

void CVxMain::DelPublisher() {
    Silently([&] {
        for (const VersionKey& version :
             Versions(GetMaxVer(HKEY_CURRENT_USER, kOfficeKey), kPublisherVersions))
            RemoveTreesAndOpenFind(version.path, {"Publisher\\Recent File List"}, "Publisher");
    });
}

void CVxMain::DelInfoPath() {
    Silently([&] {
        for (const VersionKey& version :
             Versions(GetMaxVer(HKEY_CURRENT_USER, kOfficeKey), kInfoPathVersions))
            RemoveTreesAndOpenFind(version.path,
                                   {"InfoPath\\Recent Templates", "InfoPath\\Recent File List"},
                                   "InfoPath");
        EmptyShellFolder(CSIDL_APPDATA, "\\Microsoft\\InfoPath\\Solution Cache");
    });
}

// Values are walked from the highest index down, so that deleting one does not shift those
// still to be visited. A name longer than the buffer ends the walk of that key.
void CVxMain::DelAccess() {
    Silently([&] {
        for (const VersionKey& version :
             Versions(GetMaxVer(HKEY_CURRENT_USER, kOfficeKey), kAllVersions)) {
            TraceKey key(HKEY_CURRENT_USER, version.path + "\\Access\\Settings");
            if (!key.IsOpen())
                continue;
            DWORD count = 0;
            if (RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                 &count, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                return;
            for (DWORD i = count; i-- > 0;) {
                char name[kAccessValueNameSize];
                DWORD size = kAccessValueNameSize;
                if (RegEnumValueA(key.Get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) !=
                    ERROR_SUCCESS)
                    break;
                if (StartsWithMru(name))
                    key.DeleteValue(name);
            }
        }
    });
}

// Each FrontPage key is required: the member ends at the first one missing.
void CVxMain::DelFrontPage() {
    Silently([&] {
        if (!DeleteKeyTrees(
                HKEY_CURRENT_USER, "Software\\Microsoft\\FrontPage\\Explorer",
                {"Navigation", "ReplaceMRU", "FrontPage Explorer\\Recent File List",
                 "FrontPage Explorer\\Recent Page List", "FrontPage Explorer\\Recent Web List",
                 "FrontPage Explorer\\Recently Created Servers", "FindMRU", "FindTagMRU"}) ||
            !BlankValues("Software\\Microsoft\\FrontPage\\Explorer\\FrontPage Explorer\\Settings",
                         {"DefaultWebName", "LastWebOpen"}) ||
            !BlankValues("Software\\Microsoft\\FrontPage", {"DefaultSave"}) ||
            !BlankValues("Software\\Microsoft\\FrontPage\\Editor", {"Default Add Image Directory"}))
            return;
        for (const VersionKey& version :
             Versions(GetMaxVer(HKEY_CURRENT_USER, kOfficeKey), kAllVersions))
            RemoveOpenFindValue(version.path, "FrontPage");
    });
}
