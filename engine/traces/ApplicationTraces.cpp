// Traces of desktop applications: viewers, readers, FTP and download clients, messengers,
// players, archivers, editors and toolbars. Each member is a script of removal steps.
#include "FileSystem.h"
#include "Handle.h"
#include "PathText.h"
#include "Removal.h"
#include "ShellFolder.h"
#include "Shred.h"
#include "Silently.h"
#include "StoredValue.h"
#include "TraceScript.h"

#include <shlobj.h>

#include <cstring>
#include <iterator>
#include <vector>

using namespace steps;

namespace {

// The shell headers declare a Folder interface of their own.
using steps::Folder;

constexpr Root HKCU = Root::CurrentUser;

// The first six are removed from every ACDSee key, all eight from the keys of versions 5 and 6.
const char* const kACDSeeValues[] = {"OpenFolder",     "LastFolder",     "Favorites",
                                     "ImageDB",        "HistPaths",      "HistMCFDestFolder",
                                     "HistSearchText", "HistFileFilters"};

struct ACDSeeKey {
    Root root;
    const char* path;
    size_t values;
};

const ACDSeeKey kACDSeeKeys[] = {
    {HKCU, "ACD Systems\\ACDSee", 6},
    {Root::Users, ".default\\Software\\ACD Systems\\ACDSee", 6},
    {HKCU, "Software\\ACD Systems\\ACDSee", 6},
    {HKCU, "Software\\ACD Systems\\ACDSee32", 6},
    {HKCU, "Software\\ACD Systems\\ACDSee\\50", 8},
    {HKCU, "Software\\ACD Systems\\ACDSee\\60", 8},
};

const TraceStep kACDSeeDatabase[] = {
    File(Base::AppData, "\\ACD Systems\\ACDSee", "ImageDB.dtf"),
    File(Base::AppData, "\\ACD Systems\\ACDSee", "ImageDB.ddf"),
};

const TraceStep kAcrobatReader[] = {
    Value(HKCU, "Software\\Adobe\\Acrobat Reader\\4.0\\AdobeViewer", "avpRecentFile1"),
    Value(HKCU, "Software\\Adobe\\Acrobat Reader\\4.0\\AdobeViewer", "avpRecentFile2"),
    Value(HKCU, "Software\\Adobe\\Acrobat Reader\\4.0\\AdobeViewer", "avpRecentFile3"),
    Value(HKCU, "Software\\Adobe\\Acrobat Reader\\4.0\\AdobeViewer", "avpRecentFile4"),
    Key(HKCU, "Software\\Adobe\\Acrobat\\5.0\\Weblink\\5.0", "OpenURL"),
    Key(HKCU, "Software\\Adobe\\Acrobat Reader\\5.0\\AVGeneral", "cRecentFiles"),
    Key(HKCU, "Software\\Adobe\\Adobe Acrobat\\5.0\\AVGeneral", "cRecentFiles"),
    Key(HKCU, "Software\\Adobe\\Acrobat\\6.0\\Weblink\\6.0", "OpenURL"),
    Key(HKCU, "Software\\Adobe\\Acrobat Reader\\6.0\\AVGeneral", "cRecentFiles"),
    Key(HKCU, "Software\\Adobe\\Adobe Acrobat\\6.0\\AVGeneral", "cRecentFiles"),
};

const TraceStep kADAware[] = {
    Folder(Base::ProgramFiles, "\\Lavasoft\\Ad-aware 6\\Logs"),
};

const TraceStep kOLB[] = {
    Key(HKCU, "Software\\Dravok\\OrlimbyStudio", "Settings2"),
};

const char kGlobalSCAPE[] = "Software\\GlobalSCAPE";
// Subkey names of 25 characters or more do not fit and end the scan.
constexpr DWORD kCuteFTPNameSize = 25;

const TraceStep kCuteFTPFolder[] = {
    Folder(Base::AppData, "\\GlobalSCAPE\\CuteFTP"),
};

const TraceStep kFlashGetDownloadFolder[] = {
    Key(HKCU, "Software\\JetCar\\JetCar", "DownDir"),
};

const TraceStep kGetRight[] = {
    Key(HKCU, "Software\\Headlight\\GetRight", "MRU"),
    Key(HKCU, "Software\\Headlight\\GetRight", "Recent File List"),
    Key(HKCU, "Software\\Headlight\\GetRight", "TypedURLS"),
    File(Base::ProgramFiles, "\\GetRight", "GetRight.hst"),
};

const TraceStep kICQ[] = {
    Folder(Base::ProgramFiles, "\\ICQ\\2000b"),
    Folder(Base::ProgramFiles, "\\ICQ\\2002a"),
    Folder(Base::ProgramFiles, "\\ICQ\\Bookmark"),
    Folder(Base::ProgramFiles, "\\ICQ\\ICQFiles"),
    Folder(Base::ProgramFiles, "\\ICQ\\Pictures"),
    Folder(Base::ProgramFiles, "\\ICQ\\Received Files"),
    Folder(Base::ProgramFiles, "\\ICQ\\2003a"),
    Folder(Base::ProgramFiles, "\\ICQ\\Plugins\\ExtContacts"),
    Folder(Base::ProgramFiles, "\\ICQ\\Plugins\\Info"),
    Folder(Base::ProgramFiles, "\\ICQ\\Plugins\\Status"),
    Folder(Base::ProgramFiles, "\\ICQ\\AteBrowser"),
    Folder(Base::ProgramFiles, "\\ICQ\\Plugins\\VoiceMessage"),
    Folder(Base::ProgramFiles, "\\ICQ\\DataFiles"),
};

const TraceStep kmIRC[] = {
    Folder(Base::ProgramFiles, "\\mIRC\\download"),
    Folder(Base::ProgramFiles, "\\mIRC\\logs"),
    Folder(Base::ProgramFiles, "\\mIRC\\channels"),
};

const TraceStep kPowerDVD[] = {
    Files(Base::ProgramFiles, "\\CyberLink\\PowerDVD", "*.pls"),
    Files(Base::ProgramFiles, "\\CyberLink\\PowerDVD", "*.m3u"),
};

const char kRealPreferences[] = "Software\\RealNetworks\\RealPlayer\\6.0\\Preferences";

const TraceStep kRealClipLists[] = {
    KeysFromPrefix(HKCU, kRealPreferences, "MostRecentClips"),
    KeysFromPrefix(HKCU, kRealPreferences, "OpenLocationClips"),
};

constexpr DWORD kRealTextSize = 260;

const char kUltraEditProfile[] = "\\uedit32.INI";

const TraceStep kUltraEdit[] = {
    Profile(Base::Windows, kUltraEditProfile, "Find/Replace", nullptr, ""),
    Profile(Base::Windows, kUltraEditProfile, "Find History", nullptr, ""),
    Profile(Base::Windows, kUltraEditProfile, "Replace History", nullptr, ""),
    Profile(Base::Windows, kUltraEditProfile, "UE-Compare", nullptr, ""),
    Profile(Base::Windows, kUltraEditProfile, "Recent Projects", nullptr, ""),
    Profile(Base::Windows, kUltraEditProfile, "Recent File List", nullptr, ""),
    Profile(Base::Windows, kUltraEditProfile, "Settings", "Last File", nullptr),
    Profile(Base::Windows, kUltraEditProfile, "Settings", "Last Project Dir", nullptr),
};

const TraceStep kWinAce[] = {
    Key(HKCU, "Software\\e-merge\\WinAce\\2.0", "Copy"),
    Key(HKCU, "Software\\e-merge\\WinAce\\2.0", "MRU Items"),
    Key(HKCU, "Software\\e-merge\\WinAce\\2.0", "Favorites"),
};

const TraceStep kWinRar[] = {
    Key(HKCU, "Software\\WinRAR", "ArcHistory"),
    Key(HKCU, "Software\\WinRAR", "DialogEditHistory"),
    Value(HKCU, "Software\\WinRAR\\General", "LastFolder"),
};

const TraceStep kWinZip[] = {
    Key(HKCU, "Software\\Nico Mak Computing\\Winzip", "filemenu"),
    Key(HKCU, "Software\\Nico Mak Computing\\Winzip", "extract"),
    Value(HKCU, "Software\\Nico Mak Computing\\WinZip\\directories", "DefDir"),
    Value(HKCU, "Software\\Nico Mak Computing\\WinZip\\directories", "ExtractTo"),
};

const TraceStep kZoneAlarm[] = {
    File(Base::Windows, "\\Internet Logs", "ZALog.txt"),
    File(Base::Windows, "\\Internet Logs", "tvDebug.log"),
};

// The registry lists go only when both folders are known.
const TraceStep kMediaPlayer[] = {
    Require(Base::Windows),
    File(Base::Windows, "", "wmplibrary_v_0_12.db"),
    File(Base::Windows, "", "wmplibrary_v_0_12.lrd"),
    Require(Base::CommonAppData),
    Folder(Base::CommonAppData, "\\Microsoft\\Media Index"),
    Key(HKCU, "Software\\Microsoft\\MediaPlayer\\Player", "RecentFileList"),
    Key(HKCU, "Software\\Microsoft\\MediaPlayer\\Player", "RecentURLList"),
};

const TraceStep kWordPad[] = {
    Key(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad", "Recent File List"),
};

const TraceStep kPaint[] = {
    Key(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint", "Recent File List"),
};

const char kGoogleNavClient[] = "Software\\Google\\NavClient";

const TraceStep kMSNToolbar[] = {
    Value(HKCU, "Software\\Microsoft\\MSN Toolbar", "SearchStrings"),
};

// The default value of root\path as a non-empty text of fewer than 260 characters. A stored
// string without a terminating zero ends at its size; one that fills the whole buffer does not
// fit. Expandable strings are expanded.
bool ReadDefaultText(HKEY root, const char* path, CString& text) {
    RegKey key;
    if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, key.Put()) != ERROR_SUCCESS)
        return false;
    uint8_t stored[kRealTextSize];
    DWORD type = 0, size = sizeof stored;
    if (RegQueryValueExA(key.Get(), nullptr, nullptr, &type, stored, &size) != ERROR_SUCCESS)
        return false;
    const std::optional<std::string> value = StoredText(type, stored, size);
    if (!value || value->empty() || value->size() >= sizeof stored)
        return false;
    if (type == REG_SZ) {
        text = value->c_str();
        return true;
    }
    char expanded[kRealTextSize];
    const DWORD needed = ExpandEnvironmentStringsA(value->c_str(), expanded, sizeof expanded);
    if (needed <= 1 || needed > sizeof expanded)
        return false;
    text = expanded;
    return true;
}

} // namespace

void CVxMain::DelACDSee() {
    Silently([&] {
        std::vector<TraceStep> script;
        for (const ACDSeeKey& key : kACDSeeKeys)
            for (size_t i = 0; i < key.values; ++i)
                script.push_back(Value(key.root, key.path, kACDSeeValues[i]));
        script.insert(script.end(), std::begin(kACDSeeDatabase), std::end(kACDSeeDatabase));
        TraceScript::Run(*this, script.data(), script.size());
    });
}

void CVxMain::DelAcrobatReader() {
    Silently([&] { TraceScript::Run(*this, kAcrobatReader); });
}

void CVxMain::DelADAware() {
    Silently([&] { TraceScript::Run(*this, kADAware); });
}

void CVxMain::DelOLB() {
    Silently([&] { TraceScript::Run(*this, kOLB); });
}

// Subkeys are visited from the highest index down, so that deleting one does not shift those
// still to be visited. Matching subkeys go with their whole trees.
void CVxMain::DelCuteFTP() {
    Silently([&] {
        TraceScript::Run(*this, kCuteFTPFolder);
        RegKey key;
        DWORD count = 0;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kGlobalSCAPE, 0, KEY_ALL_ACCESS, key.Put()) !=
                ERROR_SUCCESS ||
            RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return;
        for (DWORD i = count; i-- > 0;) {
            char name[kCuteFTPNameSize];
            if (RegEnumKeyA(key.Get(), i, name, kCuteFTPNameSize) != ERROR_SUCCESS)
                break;
            if (CString(name).Left(7).CompareNoCase("cuteftp") == 0)
                DelRegKey(HKEY_CURRENT_USER, kGlobalSCAPE, name);
        }
    });
}

// Every entry found loses its read-only bit before the erase, whatever its kind.
void CVxMain::DelFlashGet() {
    Silently([&] {
        TraceScript::Run(*this, kFlashGetDownloadFolder);
        std::wstring folder;
        if (!ShellFolderPath(CSIDL_PROGRAM_FILES, "\\FlashGet", folder))
            return;
        std::vector<std::wstring> names;
        for (fs::FolderSearch search(path::Join(folder, L"Default.*")); search; search.Next())
            names.push_back(search.Entry().cFileName);
        for (const std::wstring& name : names) {
            removal::ClearReadOnly(path::Join(folder, name));
            shred::Files(folder, name, false);
        }
    });
}

void CVxMain::DelGetRight() {
    Silently([&] { TraceScript::Run(*this, kGetRight); });
}

void CVxMain::DelICQ() {
    Silently([&] { TraceScript::Run(*this, kICQ); });
}

void CVxMain::DelmIRC() {
    Silently([&] { TraceScript::Run(*this, kmIRC); });
}

void CVxMain::DelPowerDVD() {
    Silently([&] { TraceScript::Run(*this, kPowerDVD); });
}

// The user-data folder is read from the registry and used as stored, with or without a trailing
// backslash. Without it no file step runs; without the class key's folder name the cache step
// does not run, as it would otherwise empty the whole user-data folder.
void CVxMain::DelReal() {
    Silently([&] {
        TraceScript::Run(*this, kRealClipLists);
        CString userData;
        if (!ReadDefaultText(HKEY_CURRENT_USER, "Software\\RealNetworks\\Preferences\\UserDataPath",
                             userData))
            return;
        DelFileFromType(userData, "*.ste");
        ShredFile(userData, "url.ini");
        ShredFile(userData, "urls.ini");
        ShredFile(userData, "cookies.txt");
        CString cache;
        if (ReadDefaultText(HKEY_CLASSES_ROOT, "CLSID\\{FF393560-C2A7-11CF-BFF4-444553540000}",
                            cache) &&
            userData.GetLength() + cache.GetLength() < MAX_PATH)
            EmptyDirectory(userData + cache, 0, 1);
    });
}

void CVxMain::DelUltraEdit() {
    Silently([&] { TraceScript::Run(*this, kUltraEdit); });
}

void CVxMain::DelWinAce() {
    Silently([&] { TraceScript::Run(*this, kWinAce); });
}

void CVxMain::DelWinRar() {
    Silently([&] { TraceScript::Run(*this, kWinRar); });
}

void CVxMain::DelWinZip() {
    Silently([&] { TraceScript::Run(*this, kWinZip); });
}

void CVxMain::DelZoneAlarm() {
    Silently([&] { TraceScript::Run(*this, kZoneAlarm); });
}

void CVxMain::DelMediaPlayer() {
    Silently([&] { TraceScript::Run(*this, kMediaPlayer); });
}

void CVxMain::DelWordPad() {
    Silently([&] { TraceScript::Run(*this, kWordPad); });
}

void CVxMain::DelPaint() {
    Silently([&] { TraceScript::Run(*this, kPaint); });
}

// History of version 1.1 always goes, then that of the highest version installed. With no
// version found the parent path ends in a backslash and names the NavClient key itself.
void CVxMain::DelGoogleToolbar() {
    Silently([&] {
        DelRegKey(HKEY_CURRENT_USER, CString(kGoogleNavClient) + "\\1.1", "History");
        DelRegKey(HKEY_CURRENT_USER,
                  CString(kGoogleNavClient) + "\\" + GetMaxVer(HKEY_CURRENT_USER, kGoogleNavClient),
                  "History");
    });
}

void CVxMain::DelMSNToolbar() {
    Silently([&] { TraceScript::Run(*this, kMSNToolbar); });
}
