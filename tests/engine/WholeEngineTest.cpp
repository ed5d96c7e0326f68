// One run over a profile with the traces of all sixty catalogue entries: each member, called in
// the catalogue's run order, removes exactly its own traces and every other key, value, file and
// folder of the places the fixture fills stays as it was.
#include "ApplicationPlaces.h"
#include "FileSystem.h"
#include "Handle.h"
#include "TraceArea.h"
#include "TraceTree.h"
#include "VxMain.h"
#include "VxPreview.h"
#include "common/Account.h"
#include "common/Clipboard.h"
#include "common/Scratch.h"
#include "common/ShellFolder.h"
#include "common/ValueGuard.h"

#include <gtest/gtest.h>

#include <sddl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <wininet.h>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <vector>

namespace {

using Member = void (CVxMain::*)();

const Member kRunOrder[] = {
    &CVxMain::DelSysRecent,
    &CVxMain::DelSysTmp,
    &CVxMain::DelSysRecycleBin,
    &CVxMain::DelSysRunHistory,
    &CVxMain::DelSysSearchHistory,
    &CVxMain::DelSysList,
    &CVxMain::DelNetHood,
    &CVxMain::DelClipBoard,
    &CVxMain::DelIEHistory,
    &CVxMain::DelIECache,
    &CVxMain::DelIECookie,
    &CVxMain::DelIEAddressBar,
    &CVxMain::DelIEPassword,
    &CVxMain::DelIEAutoComplete,
    &CVxMain::ClsIEStartPage,
    &CVxMain::DelAccess,
    &CVxMain::DelExcel,
    &CVxMain::DelFrontPage,
    &CVxMain::DelInfoPath,
    &CVxMain::DelPowerPoint,
    &CVxMain::DelPublisher,
    &CVxMain::DelWord,
    &CVxMain::DelACDSee,
    &CVxMain::DelAcrobatReader,
    &CVxMain::DelADAware,
    &CVxMain::DelAOL,
    &CVxMain::DelAOLMessenger,
    &CVxMain::DelOLB,
    &CVxMain::DelBearShare,
    &CVxMain::DelCuteFTP,
    &CVxMain::DelDAP,
    &CVxMain::DelDivX,
    &CVxMain::DelDreamWeaver,
    &CVxMain::DelFlashGet,
    &CVxMain::DelGetRight,
    &CVxMain::DelGoogleToolbar,
    &CVxMain::DelICQ,
    &CVxMain::DeliMesh,
    &CVxMain::DelKazaa,
    &CVxMain::DelMediaJukeBox,
    &CVxMain::DelMediaPlayer,
    &CVxMain::DelPaint,
    &CVxMain::DelWordPad,
    &CVxMain::DelmIRC,
    &CVxMain::DelMorpheus,
    &CVxMain::DelMSNToolbar,
    &CVxMain::DelNapster,
    &CVxMain::DelNetMeeting,
    &CVxMain::DelOpera,
    &CVxMain::DelPowerDVD,
    &CVxMain::DelPSP,
    &CVxMain::DelReal,
    &CVxMain::DelTrillian,
    &CVxMain::DelUltraEdit,
    &CVxMain::DelWinAce,
    &CVxMain::DelWINAMP,
    &CVxMain::DelWinRar,
    &CVxMain::DelWinZip,
    &CVxMain::DelYahoo,
    &CVxMain::DelZoneAlarm,
};
static_assert(std::size(kRunOrder) == 60, "one member per catalogue entry");

bool InUse(const std::string& path) {
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    return !file && GetLastError() == ERROR_SHARING_VIOLATION;
}

const char kPage[] = "http://whole.test/page.html";
const char kCookie[] = "Cookie:user@whole.test/";
const char kVisited[] = "Visited: user@http://whole.test/page.html";

bool Cached(const char* url) {
    DWORD size = 0;
    GetUrlCacheEntryInfoA(url, nullptr, &size);
    return GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

const std::string kOffice = "Software\\Microsoft\\Office\\";
const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
const std::string kInternetExplorer = "Software\\Microsoft\\Internet Explorer\\";
const std::string kStorage = "Software\\Microsoft\\Protected Storage System Provider\\";
const std::string kFormData = "\\Data\\e161255a-37c3-11d2-bcaa-00c04fd929db";

std::string OpenFind(const std::string& version, const std::string& application,
                     const std::string& dialog = "\xC1\xED\xB4\xE6\xCE\xAA") {
    return kOffice + version + "\\Common\\Open Find\\Microsoft Office " + application +
           "\\Settings\\" + dialog + "\\File Name MRU";
}

// FrontPage's own defaults, which its member blanks.
const std::pair<const char*, const char*> kFrontPageDefaults[] = {
    {"Software\\Microsoft\\FrontPage\\Explorer\\FrontPage Explorer\\Settings", "DefaultWebName"},
    {"Software\\Microsoft\\FrontPage\\Explorer\\FrontPage Explorer\\Settings", "LastWebOpen"},
    {"Software\\Microsoft\\FrontPage", "DefaultSave"},
    {"Software\\Microsoft\\FrontPage\\Editor", "Default Add Image Directory"},
};

// Keys below HKEY_CURRENT_USER that the fixture builds besides those of the application tests.
const char* const kUserKeys[] = {
    "Software\\Microsoft\\Office",
    "Software\\Microsoft\\FrontPage",
    "Software\\Microsoft\\Search Assistant",
    "Software\\Microsoft\\Internet Explorer\\TypedURLs",
    "Software\\Microsoft\\Internet Explorer\\IntelliForms",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Doc Find Spec MRU",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StreamMRU",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\LastVisitedMRU",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\CIDSizeMRU",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Vx Neighbour",
};
// Parents of fixture keys that may be there before the test; each is removed afterwards only
// when the test created it.
const std::pair<HKEY, const char*> kParentKeys[] = {
    {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets"},
    {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32"},
    {HKEY_CURRENT_USER, "Software\\Microsoft\\Protected Storage System Provider"},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Protected Storage System Provider"},
};
std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), ::toupper);
    return text;
}

// A preview's UTF-8 text in the code page the snapshots are read in.
std::string Ansi(const char* utf8) {
    std::string ansi;
    fs::ToAnsi(fs::FromUtf8(utf8), ansi);
    return ansi;
}

// A preview's traces in the form the snapshots' entries take below: keys and folders end with a
// backslash, a value is "KEY\|NAME", all in upper case; the system's own stores by their kind.
class Record : public VxTraceSink {
public:
    void Found(const VxTrace& trace) noexcept override {
        const std::string place = Upper(Ansi(trace.place));
        const std::string name = Upper(Ansi(trace.name));
        switch (trace.kind) {
        case VxTraceKind::Key:
        case VxTraceKind::Folder:
            removed.insert(place + "\\");
            break;
        case VxTraceKind::Value:
            removed.insert(place + "\\|" + name);
            break;
        case VxTraceKind::File:
            removed.insert(place);
            break;
        case VxTraceKind::BlankedValue:
            changed.insert(place + "\\|" + name);
            break;
        case VxTraceKind::ProfileEntry:
            changed.insert(place);
            break;
        default:
            stores.insert({trace.kind, place});
        }
    }
    // Whether the run removes the entry: it or a key or folder above it was reported.
    bool Removes(const std::string& entry) const {
        for (size_t slash = entry.find('\\'); slash != std::string::npos;
             slash = entry.find('\\', slash + 1))
            if (removed.count(entry.substr(0, slash + 1)))
                return true;
        return removed.count(entry) > 0;
    }
    bool Has(VxTraceKind kind, const std::string& place) const {
        return stores.count({kind, Upper(place)}) > 0;
    }

    std::set<std::string> removed, changed;
    std::set<std::pair<VxTraceKind, std::string>> stores;
};

class WholeEngine : public TraceArea {
protected:
    void SetUp() override {
        for (const auto& parent : kParentKeys)
            m_parentExisted.push_back(KeyExists(parent.second, parent.first));
        m_folders = {{"Program Files", ProgramFiles("")},
                     {"AppData", AppData("")},
                     {"Local AppData", ShellFolder(CSIDL_LOCAL_APPDATA)},
                     {"ProgramData", CommonAppData("")},
                     {"Windows", WindowsFolder("")},
                     {"Windows Temp", WindowsFolder("\\Temp")},
                     {"Internet Logs", WindowsFolder("\\Internet Logs")},
                     {"Temp", TempFolder()},
                     {"C:", "C:"},
                     {"Real", m_real.Path()}};
        TraceArea::SetUp();
    }
    void TearDown() override {
        TraceArea::TearDown();
        for (size_t i = 0; i < std::size(kParentKeys); ++i)
            if (!m_parentExisted[i])
                SHDeleteKeyA(kParentKeys[i].first, kParentKeys[i].second);
    }

    void Clean() override {
        RemoveApplicationFixtures();
        RemoveNetworkFixtures();
        for (const char* key : kUserKeys)
            DeleteKeyQuietly(key);
        DeleteKeyQuietly(kStorage + UserSidText());
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, (kStorage + UserName()).c_str());
        RemoveTree(AppData("\\Microsoft\\Office"));
        RemoveTree(AppData("\\Microsoft\\InfoPath"));
        for (const char* url : {kPage, kCookie, kVisited})
            DeleteUrlCacheEntryA(url);
    }

    // Plants registry entries (see PlantKeys) of one place; the run is to remove `traces`.
    void Keys(const std::string& place, HKEY root, std::initializer_list<std::string> traces,
              std::initializer_list<std::string> keep = {}) {
        PlantKeys(root, traces);
        PlantKeys(root, keep);
        m_removed[place].insert(traces.begin(), traces.end());
    }
    void UserKeys(std::initializer_list<std::string> traces,
                  std::initializer_list<std::string> keep = {}) {
        Keys("HKCU", HKEY_CURRENT_USER, traces, keep);
    }
    // Plants files and folders (see PlantFiles) below a place's folder; the run is to remove
    // `traces`.
    void Files(const std::string& place, std::initializer_list<std::string> traces,
               std::initializer_list<std::string> keep = {}) {
        PlantFiles(m_folders.at(place), traces);
        PlantFiles(m_folders.at(place), keep);
        m_removed[place].insert(traces.begin(), traces.end());
    }
    // The run is to remove everything below this folder of a place, whatever the system put there.
    void Emptied(const std::string& place, const std::string& folder) {
        const std::string& base = m_folders.at(place);
        ASSERT_EQ(folder.compare(0, base.size() + 1, base + "\\"), 0) << folder;
        m_emptied.push_back({place, folder.substr(base.size() + 1) + "\\"});
    }

    void InstallWindowsAndInternetExplorer() {
        Emptied("AppData", ShellFolder(CSIDL_RECENT));
        Emptied("AppData", ShellFolder(CSIDL_NETHOOD));
        m_emptied.push_back({"Temp", ""});
        m_emptied.push_back({"Windows Temp", ""});
        PlantFiles(ShellFolder(CSIDL_RECENT), {"notes.txt.lnk", "Sub\\plan.doc.lnk"});
        PlantFiles(ShellFolder(CSIDL_NETHOOD), {"server.lnk"});
        PlantFiles(TempFolder(), {"setup.tmp", "unpacked\\setup.dll"});
        PlantFiles(m_folders.at("Windows Temp"), {"windows.tmp"});
        for (int csidl : {CSIDL_HISTORY, CSIDL_INTERNET_CACHE, CSIDL_COOKIES}) {
            Emptied("Local AppData", ShellFolder(csidl));
            PlantFiles(ShellFolder(csidl), {"vxtrace.txt", "vxfolder\\vxtrace.txt"});
        }

        UserKeys(
            {kExplorer + "RunMRU\\", kExplorer + "RunMRU|a", kExplorer + "Doc Find Spec MRU\\",
             kExplorer + "Doc Find Spec MRU|a", kExplorer + "RecentDocs\\",
             kExplorer + "RecentDocs|MRUListEx", kExplorer + "RecentDocs\\.txt\\",
             kExplorer + "RecentDocs\\.txt|0", kExplorer + "StreamMRU\\", kExplorer + "StreamMRU|0",
             kExplorer + "ComDlg32\\OpenSaveMRU\\", kExplorer + "ComDlg32\\OpenSaveMRU\\*\\",
             kExplorer + "ComDlg32\\OpenSaveMRU\\*|a", kExplorer + "ComDlg32\\LastVisitedMRU\\",
             kExplorer + "ComDlg32\\LastVisitedMRU|a",
             "Software\\Microsoft\\Search Assistant\\ACMru\\",
             "Software\\Microsoft\\Search Assistant\\ACMru\\5603\\",
             "Software\\Microsoft\\Search Assistant\\ACMru\\5603|000"},
            {kExplorer + "ComDlg32\\CIDSizeMRU|a", kExplorer + "Vx Neighbour|keep",
             "Software\\Microsoft\\Search Assistant\\Options|keep"});

        UserKeys({kInternetExplorer + "TypedURLs\\", kInternetExplorer + "TypedURLs|url1",
                  kInternetExplorer + "IntelliForms\\", kInternetExplorer + "IntelliForms|Use",
                  kInternetExplorer + "IntelliForms\\SPW\\",
                  kInternetExplorer + "IntelliForms\\SPW|site"});
        SetString(kInternetExplorer + "Main", "Start Page", "http://home.test/");
        m_changed["HKCU"].insert(kInternetExplorer + "Main|Start Page");
        const std::string user = kStorage + UserSidText();
        UserKeys({user + kFormData + "\\", user + kFormData + "\\site\\",
                  user + kFormData + "\\site|value"},
                 {user + "\\Data\\other|keep"});
        const std::string machine = kStorage + UserName();
        Keys("HKLM", HKEY_LOCAL_MACHINE,
             {machine + kFormData + "\\", machine + kFormData + "\\site\\",
              machine + kFormData + "\\site|value"},
             {machine + "\\Data\\other|keep"});

        FILETIME zero = {};
        ASSERT_TRUE(CommitUrlCacheEntryA(kPage, nullptr, zero, zero, NORMAL_CACHE_ENTRY, nullptr, 0,
                                         nullptr, nullptr));
        ASSERT_TRUE(CommitUrlCacheEntryA(kCookie, nullptr, zero, zero, COOKIE_CACHE_ENTRY, nullptr,
                                         0, nullptr, nullptr));
        ASSERT_TRUE(CommitUrlCacheEntryA(kVisited, nullptr, zero, zero, URLHISTORY_CACHE_ENTRY,
                                         nullptr, 0, nullptr, nullptr));

        // The bin holds the file wherever the system keeps it; emptying the bin removes it there.
        const auto withoutBin = Snapshot();
        ScratchFolder thrown("whole-recycle");
        WriteText(thrown / "thrown-away.txt", "in the bin");
        ASSERT_EQ(MoveToRecycleBin(thrown / "thrown-away.txt"), 0);
        for (const auto& place : Snapshot())
            for (const std::string& entry : Removed(place.second, withoutBin.at(place.first)))
                m_removed[place.first].insert(entry);

        ASSERT_TRUE(PutTextOnClipboard("copied secret"));
    }

    // Office 9.0 and 11.0; 11.0 is the highest installed version.
    void InstallOffice() {
        for (const std::string version : {"9.0", "11.0"}) {
            const std::string v = kOffice + version + "\\";
            const bool highest = version == "11.0";
            UserKeys({v + "Word\\Data|Settings", OpenFind(version, "Word") + "|Value",
                      v + "Excel\\Recent Files\\", v + "Excel\\Recent Files|File1",
                      v + "Excel\\Recent Files\\Nested\\", OpenFind(version, "Excel") + "|Value",
                      v + "PowerPoint\\Recent File List\\",
                      v + "PowerPoint\\Recent File List|File1",
                      OpenFind(version, "PowerPoint") + "|Value",
                      OpenFind(version, "FrontPage") + "|Value", v + "Access\\Settings|MRU1",
                      v + "Access\\Settings|mruFlags"},
                     {v + "Word\\Data|Toolbars", OpenFind(version, "Word") + "|Other",
                      OpenFind(version, "Word", "Save As") + "|Value", v + "Excel\\Options|Font",
                      v + "Access\\Settings|Other"});
            const std::initializer_list<std::string> newer = {
                v + "Publisher\\Recent File List\\",
                v + "Publisher\\Recent File List|File1",
                OpenFind(version, "Publisher") + "|Value",
                v + "InfoPath\\Recent Templates\\",
                v + "InfoPath\\Recent Templates|T1",
                v + "InfoPath\\Recent File List\\",
                v + "InfoPath\\Recent File List|F1",
                OpenFind(version, "InfoPath") + "|Value"};
            if (highest)
                UserKeys(newer, {v + "InfoPath\\Options|Keep"});
            else
                UserKeys({}, newer);
        }
        const std::string frontPage = "Software\\Microsoft\\FrontPage\\";
        UserKeys({frontPage + "Explorer\\Navigation\\", frontPage + "Explorer\\Navigation|1",
                  frontPage + "Explorer\\FrontPage Explorer\\Recent Web List\\",
                  frontPage + "Explorer\\FrontPage Explorer\\Recent Web List|1"},
                 {frontPage + "Explorer\\Keep|1"});
        for (const auto& value : kFrontPageDefaults) {
            SetString(value.first, value.second, "http://web");
            m_changed["HKCU"].insert(std::string(value.first) + "|" + value.second);
        }
        Files("AppData",
              {"Microsoft\\Office\\Recent\\report.doc.lnk",
               "Microsoft\\InfoPath\\Solution Cache\\{solution}\\",
               "Microsoft\\InfoPath\\Solution Cache\\{solution}\\manifest.xsf"},
              {"Microsoft\\Office\\Templates\\normal.dot"});
    }

    void InstallApplicationsPartOne() {
        const char* const acdsee[] = {"OpenFolder", "LastFolder", "Favorites",
                                      "ImageDB",    "HistPaths",  "HistMCFDestFolder"};
        for (const char* value : acdsee) {
            Keys("HKCU ACD", HKEY_CURRENT_USER, {std::string("ACD Systems\\ACDSee|") + value});
            UserKeys({std::string("Software\\ACD Systems\\ACDSee32|") + value});
            Keys("HKU", HKEY_USERS,
                 {std::string(".default\\Software\\ACD Systems\\ACDSee|") + value});
        }
        Keys("HKCU ACD", HKEY_CURRENT_USER, {},
             {"ACD Systems\\ACDSee|HistSearchText", "ACD Systems\\ACDSee|Other"});
        UserKeys({"Software\\ACD Systems\\ACDSee|Favorites",
                  "Software\\ACD Systems\\ACDSee\\50|HistSearchText",
                  "Software\\ACD Systems\\ACDSee\\50|HistFileFilters",
                  "Software\\ACD Systems\\ACDSee\\60|ImageDB",
                  "Software\\ACD Systems\\ACDSee\\60|HistFileFilters"},
                 {"Software\\ACD Systems\\ACDSee|HistSearchText",
                  "Software\\ACD Systems\\ACDSee\\70|OpenFolder"});
        Keys("HKU", HKEY_USERS, {}, {".default\\Software\\ACD Systems\\ACDSee|Keep"});
        Files("AppData", {"ACD Systems\\ACDSee\\ImageDB.dtf", "ACD Systems\\ACDSee\\ImageDB.ddf"},
              {"ACD Systems\\ACDSee\\Catalog.db"});

        const std::string adobe = "Software\\Adobe\\";
        UserKeys({adobe + "Acrobat Reader\\4.0\\AdobeViewer|avpRecentFile1",
                  adobe + "Acrobat Reader\\4.0\\AdobeViewer|avpRecentFile4",
                  adobe + "Acrobat\\5.0\\Weblink\\5.0\\OpenURL\\",
                  adobe + "Acrobat\\5.0\\Weblink\\5.0\\OpenURL|url",
                  adobe + "Acrobat Reader\\6.0\\AVGeneral\\cRecentFiles\\",
                  adobe + "Acrobat Reader\\6.0\\AVGeneral\\cRecentFiles\\c1\\",
                  adobe + "Acrobat Reader\\6.0\\AVGeneral\\cRecentFiles\\c1|tDIText"},
                 {adobe + "Acrobat Reader\\4.0\\AdobeViewer|avpRecentFile5",
                  adobe + "Acrobat Reader\\6.0\\AVGeneral|bKeep"});

        Files("Program Files",
              {"Lavasoft\\Ad-aware 6\\Logs\\scan.log", "Lavasoft\\Ad-aware 6\\Logs\\old\\",
               "Lavasoft\\Ad-aware 6\\Logs\\old\\scan1.log"},
              {"Lavasoft\\Ad-aware 6\\Ad-aware.exe"});

        UserKeys({"Software\\Dravok\\OrlimbyStudio\\Settings2\\",
                  "Software\\Dravok\\OrlimbyStudio\\Settings2|Recent"},
                 {"Software\\Dravok\\OrlimbyStudio\\Settings|Keep"});

        Files("AppData",
              {"GlobalSCAPE\\CuteFTP\\sm.dat", "GlobalSCAPE\\CuteFTP\\queue\\",
               "GlobalSCAPE\\CuteFTP\\queue\\q.dat"},
              {"GlobalSCAPE\\other.dat"});
        UserKeys({"Software\\GlobalSCAPE\\CuteFTP 5.0\\",
                  "Software\\GlobalSCAPE\\CuteFTP 5.0\\QCToolbar\\",
                  "Software\\GlobalSCAPE\\CuteFTP 5.0\\QCToolbar|x",
                  "Software\\GlobalSCAPE\\CUTEFTPPRO\\", "Software\\GlobalSCAPE\\CUTEFTPPRO|y"},
                 {"Software\\GlobalSCAPE\\Cute|z"});

        UserKeys({"Software\\JetCar\\JetCar\\DownDir\\", "Software\\JetCar\\JetCar\\DownDir|dir"},
                 {"Software\\JetCar\\JetCar\\General|keep"});
        Files("Program Files", {"FlashGet\\Default.jcd"},
              {"FlashGet\\DefaultX", "FlashGet\\flashget.exe"});
        SetFileAttributesA((m_folders.at("Program Files") + "\\FlashGet\\Default.jcd").c_str(),
                           FILE_ATTRIBUTE_READONLY);

        UserKeys({"Software\\Headlight\\GetRight\\MRU\\", "Software\\Headlight\\GetRight\\MRU|1",
                  "Software\\Headlight\\GetRight\\Recent File List\\",
                  "Software\\Headlight\\GetRight\\Recent File List|File1",
                  "Software\\Headlight\\GetRight\\TypedURLS\\",
                  "Software\\Headlight\\GetRight\\TypedURLS|1"},
                 {"Software\\Headlight\\GetRight\\Options|keep"});
        Files("Program Files", {"GetRight\\GetRight.hst"}, {"GetRight\\getright.exe"});

        Files("Program Files",
              {"ICQ\\2003a\\history.dat", "ICQ\\2003a\\user\\", "ICQ\\2003a\\user\\messages.dat",
               "ICQ\\Plugins\\Info\\info.dat", "ICQ\\Received Files\\photo.jpg"},
              {"ICQ\\icq.exe", "ICQ\\Plugins\\Other\\other.dat"});
        Files("Program Files",
              {"mIRC\\logs\\channel.log", "mIRC\\download\\file.zip", "mIRC\\channels\\list.txt"},
              {"mIRC\\mirc.ini", "mIRC\\sounds\\ding.wav"});
        Files("Program Files", {"CyberLink\\PowerDVD\\list.pls", "CyberLink\\PowerDVD\\list.m3u"},
              {"CyberLink\\PowerDVD\\PowerDVD.exe"});

        const std::string real = "Software\\RealNetworks\\";
        UserKeys({real + "RealPlayer\\6.0\\Preferences\\MostRecentClips1\\",
                  real + "RealPlayer\\6.0\\Preferences\\MostRecentClips1|",
                  real + "RealPlayer\\6.0\\Preferences\\OpenLocationClips1\\",
                  real + "RealPlayer\\6.0\\Preferences\\OpenLocationClips1|"},
                 {real + "RealPlayer\\6.0\\Preferences\\Volume|"});
        SetString(real + "Preferences\\UserDataPath", "", m_real.Path() + "\\");
        SetString(kRealClass, "", "History", HKEY_CLASSES_ROOT);
        Files("Real",
              {"session.ste", "url.ini", "urls.ini", "cookies.txt", "History\\h.dat",
               "History\\sub\\", "History\\sub\\s.dat"},
              {"keep.ini", "Other\\o.dat", "Other\\url.ini"});

        WriteText(m_folders.at("Windows") + "\\uedit32.INI",
                  "[Settings]\r\nLast File=C:\\secret.txt\r\nFont=Courier\r\n"
                  "Last Project Dir=C:\\Projects\r\n[Find History]\r\nFind1=password\r\n"
                  "[Recent File List]\r\nFile1=C:\\secret.txt\r\n");
        m_changed["Windows"].insert("uedit32.INI");

        UserKeys({"Software\\e-merge\\WinAce\\2.0\\Copy\\",
                  "Software\\e-merge\\WinAce\\2.0\\Copy|x",
                  "Software\\e-merge\\WinAce\\2.0\\MRU Items\\",
                  "Software\\e-merge\\WinAce\\2.0\\MRU Items|x",
                  "Software\\e-merge\\WinAce\\2.0\\Favorites\\",
                  "Software\\e-merge\\WinAce\\2.0\\Favorites|x"},
                 {"Software\\e-merge\\WinAce\\2.0\\Options|keep"});
        UserKeys({"Software\\WinRAR\\ArcHistory\\", "Software\\WinRAR\\ArcHistory|0",
                  "Software\\WinRAR\\DialogEditHistory\\",
                  "Software\\WinRAR\\DialogEditHistory\\ArcName\\",
                  "Software\\WinRAR\\DialogEditHistory\\ArcName|0",
                  "Software\\WinRAR\\General|LastFolder"},
                 {"Software\\WinRAR\\General|Keep"});
        const std::string winZip = "Software\\Nico Mak Computing\\WinZip\\";
        UserKeys({winZip + "filemenu\\", winZip + "filemenu|x", winZip + "extract\\",
                  winZip + "extract|x", winZip + "directories|DefDir",
                  winZip + "directories|ExtractTo"},
                 {winZip + "directories|AddDir"});

        Files("Internet Logs", {"ZALog.txt", "tvDebug.log"}, {"backup.txt"});

        Files("Windows", {"wmplibrary_v_0_12.db", "wmplibrary_v_0_12.lrd"});
        Files("ProgramData", {"Microsoft\\Media Index\\index.db", "Microsoft\\Media Index\\sub\\",
                              "Microsoft\\Media Index\\sub\\x.db"});
        UserKeys({"Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList\\",
                  "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList|File0",
                  "Software\\Microsoft\\MediaPlayer\\Player\\RecentURLList\\",
                  "Software\\Microsoft\\MediaPlayer\\Player\\RecentURLList|URL0"},
                 {"Software\\Microsoft\\MediaPlayer\\Player\\Settings|keep"});

        const std::string applets = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\";
        for (const std::string applet : {"Wordpad", "Paint"})
            UserKeys({applets + applet + "\\Recent File List\\",
                      applets + applet + "\\Recent File List|File1"},
                     {applets + applet + "\\Options|keep"});

        UserKeys({"Software\\Google\\NavClient\\1.1\\History\\",
                  "Software\\Google\\NavClient\\1.1\\History|q",
                  "Software\\Google\\NavClient\\3.0\\History\\",
                  "Software\\Google\\NavClient\\3.0\\History|q"},
                 {"Software\\Google\\NavClient\\2.0\\History|q",
                  "Software\\Google\\NavClient\\3.0\\Options|keep"});
        UserKeys({"Software\\Microsoft\\MSN Toolbar|SearchStrings"},
                 {"Software\\Microsoft\\MSN Toolbar|Keep"});
    }

    void InstallApplicationsPartTwo() {
        UserKeys({"Software\\iMesh\\Client\\Local|SearchEditHistory",
                  "Software\\iMesh\\Client\\Local|SearchEditHistorySize"},
                 {"Software\\iMesh\\Client\\Local|Language"});
        Files("Program Files",
              {"iMesh\\Client\\Partial\\song.part", "iMesh\\Client\\PlayLists\\party.m3u",
               "iMesh\\Client\\DB\\index.dbb"},
              {"iMesh\\Client\\iMesh.exe"});

        UserKeys({"Software\\Morpheus\\Morpheus\\Recent File List\\",
                  "Software\\Morpheus\\Morpheus\\Recent File List|File1"},
                 {"Software\\Morpheus\\Morpheus\\Settings|Port"});
        Keys("HKLM", HKEY_LOCAL_MACHINE,
             {"Software\\Morpheus\\SearchRecent\\", "Software\\Morpheus\\SearchRecent|1"},
             {"Software\\Morpheus\\Install|Path"});
        Files("Program Files",
              {"Morpheus\\Db\\files.db", "Morpheus\\My Shared Folder\\song.mp3",
               "StreamCast\\Morpheus\\Db\\files.db",
               "StreamCast\\Morpheus\\My Shared Folder\\a.avi",
               "StreamCast\\Morpheus\\Downloads\\movie.avi"},
              {"StreamCast\\Morpheus\\Morpheus.exe"});

        UserKeys({"Software\\Kazaa\\KaZaA Media Desktop\\Recent File List\\",
                  "Software\\Kazaa\\KaZaA Media Desktop\\Recent File List|File1",
                  "Software\\Kazaa\\Search\\", "Software\\Kazaa\\Search|term",
                  "Software\\Kazaa\\KaZaA Lite\\Recent File List\\",
                  "Software\\Kazaa\\KaZaA Lite\\Recent File List|File1"},
                 {"Software\\Kazaa\\LocalContent|Dir0"});
        for (const std::string folder : {"KaZaA\\", "KaZaA Lite\\"})
            Files("Program Files", {folder + "Db\\data.dbb", folder + "My Shared Folder\\a.dat"},
                  {folder + "My Shared Folder\\song.mp3", folder + "Kazaa.exe"});

        Files("Program Files", {"BearShare\\db\\hosts.db"}, {"BearShare\\Downloads\\song.mp3"});

        const std::string dreamweaver = "Software\\Macromedia\\Dreamweaver ";
        UserKeys({dreamweaver + "4\\Recent File List\\", dreamweaver + "4\\Recent File List|File1",
                  dreamweaver + "4\\Temp File List\\", dreamweaver + "4\\Temp File List|File1",
                  dreamweaver + "6\\Recent File List\\", dreamweaver + "6\\Recent File List|File1",
                  dreamweaver + "MX 2004\\Recent File List\\",
                  dreamweaver + "MX 2004\\Recent File List|File1"},
                 {dreamweaver + "6\\Temp File List|File1"});

        Files("Program Files", {"AIM\\buddies.dat", "AIM\\away.tmp"}, {"AIM\\aim.exe"});

        for (const std::string version : {"6.0", "7.0"}) {
            const std::string place = "America Online " + version;
            m_folders[place] = "C:\\" + place;
            Files(place, {"AOLTEMP\\page.htm", "download\\session.log"}, {"aol.exe"});
        }

        UserKeys({"Software\\SpeedBit\\Download Accelerator\\HistoryCombo|URLHistory",
                  "Software\\SpeedBit\\DownloadAccelerator\\HistoryCombo\\",
                  "Software\\SpeedBit\\DownloadAccelerator\\HistoryCombo|URL1"},
                 {"Software\\SpeedBit\\Download Accelerator\\HistoryCombo|Size"});
        Keys("HKLM", HKEY_LOCAL_MACHINE,
             {"Software\\SpeedBit\\Download Accelerator\\FileList\\",
              "Software\\SpeedBit\\Download Accelerator\\FileList|1",
              "Software\\SpeedBit\\Download Accelerator\\ADS\\SecondMedia\\",
              "Software\\SpeedBit\\Download Accelerator\\ADS\\SecondMedia|Banner"},
             {"Software\\SpeedBit\\Download Accelerator|Version"});
        Files("Program Files", {"DAP\\Ads\\banner.gif", "DAP\\Temp\\file.part"}, {"DAP\\dap.exe"});

        Files("Program Files", {"winamp\\mix.m3u"}, {"winamp\\winamp.exe"});
        WriteText(m_folders.at("Program Files") + "\\winamp\\winamp.ini",
                  "[winamp]\r\nvolume=200\r\ncwd=C:\\Music\\Private\r\n");
        m_changed["Program Files"].insert("winamp\\winamp.ini");

        Keys("HKLM", HKEY_LOCAL_MACHINE,
             {"Software\\Microsoft\\Conferencing\\UI\\CallMRU\\",
              "Software\\Microsoft\\Conferencing\\UI\\CallMRU|Name0"},
             {"Software\\Microsoft\\Conferencing\\UI|Position"});
        Files("Program Files", {"NetMeeting\\CallLog.dat", "NetMeeting\\Received Files\\photo.jpg"},
              {"NetMeeting\\conf.exe"});

        Keys("HKLM", HKEY_LOCAL_MACHINE,
             {"Software\\Jasc\\Paint Shop Pro 7\\Recent File List\\",
              "Software\\Jasc\\Paint Shop Pro 7\\Recent File List|File1",
              "Software\\Jasc\\Paint Shop Pro 8\\Recent File List\\",
              "Software\\Jasc\\Paint Shop Pro 8\\Recent File List|File1"},
             {"Software\\Jasc\\Paint Shop Pro 7\\Settings|Grid"});
        UserKeys({}, {"Software\\Jasc\\Paint Shop Pro 7\\Recent File List|File1"});

        Files("Program Files",
              {"Yahoo!\\Messenger\\ypager.log", "Yahoo!\\Messenger\\IMVCache\\smile.gif",
               "Yahoo!\\Messenger\\Profiles\\me\\", "Yahoo!\\Messenger\\Profiles\\me\\chat.dat"},
              {"Yahoo!\\Messenger\\ypager.exe"});

        for (const std::string place : {"C:", "Program Files"})
            Files(place, {"shared.dat", "notify.dat", "channels.dat"});
        Files("Program Files", {}, {"Yahoo!\\shared.dat"});

        Files("Program Files",
              {"Trillian\\users\\default\\cache\\avatar.bmp",
               "Trillian\\users\\default\\cache\\msn\\",
               "Trillian\\users\\default\\cache\\msn\\buddy.bmp",
               "Trillian\\users\\default\\logs\\msn\\",
               "Trillian\\users\\default\\logs\\msn\\chat.log"},
              {"Trillian\\users\\alice\\logs\\msn\\chat.log", "Trillian\\trillian.exe"});

        UserKeys({"Software\\DivXNetworks\\DivX Player|file",
                  "Software\\DivXNetworks\\DivX Player|file4"},
                 {"Software\\DivXNetworks\\DivX Player|file5"});
        Files("Program Files", {"DivX\\library.dbf"}, {"DivX\\DivX Player.exe"});

        Files("Program Files", {"J River\\Media JukeBox\\Data\\Library.jmd"},
              {"J River\\Media JukeBox\\Data\\Settings.ini"});

        const std::string profile = "Opera\\Opera\\profile\\";
        Files("AppData",
              {profile + "sessions\\autosave.win", profile + "cache4\\opr00001.htm",
               profile + "images\\thumb.png", profile + "cookies4.dat", profile + "download.dat",
               profile + "global.dat", profile + "jswarn.dir", profile + "opera6.adr",
               profile + "opera6.ini", profile + "opera.dir", profile + "urlwarn.dir",
               profile + "vlink4.dat"},
              {profile + "sessions\\work.win", profile + "search.ini"});
    }

    // Everything below the emptied folders goes, except files that the system holds open (the URL
    // cache's index files, which record the removed entries) and the folders on their way.
    void ExpectEmptied(const std::map<std::string, Tree>& before) {
        for (const auto& emptied : m_emptied) {
            const std::set<std::string> below = Below(before.at(emptied.first), emptied.second);
            std::set<std::string> held;
            for (const std::string& entry : below) {
                if (entry.back() == '\\' || !InUse(m_folders.at(emptied.first) + "\\" + entry))
                    continue;
                m_changed[emptied.first].insert(entry);
                for (size_t slash = entry.find('\\', emptied.second.size());
                     slash != std::string::npos; slash = entry.find('\\', slash + 1))
                    held.insert(entry.substr(0, slash + 1));
                held.insert(entry);
            }
            for (const std::string& entry : below)
                if (!held.count(entry))
                    m_removed[emptied.first].insert(entry);
        }
    }

    std::map<std::string, Tree> Snapshot() const {
        std::map<std::string, Tree> trees;
        trees["HKCU"] = RegistryTree(HKEY_CURRENT_USER, "Software");
        trees["HKCU ACD"] = RegistryTree(HKEY_CURRENT_USER, "ACD Systems");
        trees["HKU"] = RegistryTree(HKEY_USERS, ".default\\Software");
        trees["HKCR"] = RegistryTree(HKEY_CLASSES_ROOT, kRealClass);
        std::vector<std::string> machineKeys(std::begin(kNetworkMachineKeys),
                                             std::end(kNetworkMachineKeys));
        machineKeys.push_back(kStorage + UserName());
        for (const std::string& key : machineKeys) {
            const Tree tree = RegistryTree(HKEY_LOCAL_MACHINE, key);
            trees["HKLM"].insert(tree.begin(), tree.end());
        }
        for (const auto& folder : m_folders)
            trees[folder.first] = folder.first == "Windows" || folder.first == "C:"
                                      ? FolderFiles(folder.second)
                                      : FolderTree(folder.second);
        return trees;
    }

    // A snapshot entry by its full name, as a preview reports it.
    std::string FullName(const std::string& place, const std::string& entry) const {
        static const std::map<std::string, std::string> kRoots = {{"HKCU", "HKEY_CURRENT_USER"},
                                                                  {"HKCU ACD", "HKEY_CURRENT_USER"},
                                                                  {"HKU", "HKEY_USERS"},
                                                                  {"HKCR", "HKEY_CLASSES_ROOT"},
                                                                  {"HKLM", "HKEY_LOCAL_MACHINE"}};
        const auto root = kRoots.find(place);
        if (root == kRoots.end())
            return Upper(m_folders.at(place) + "\\" + entry);
        const size_t bar = entry.find('|');
        const std::string value =
            bar == std::string::npos ? entry : entry.substr(0, bar) + "\\" + entry.substr(bar);
        return Upper(root->second + "\\" + value);
    }
    std::set<std::string> FullNames(const std::string& place,
                                    const std::set<std::string>& entries) const {
        std::set<std::string> names;
        for (const std::string& entry : entries)
            names.insert(FullName(place, entry));
        return names;
    }

    ScratchFolder m_real{"whole-real"};
    const ValueGuard m_startPage{HKEY_CURRENT_USER, kInternetExplorer + "Main", "Start Page"};
    std::vector<bool> m_parentExisted;
    std::map<std::string, std::string> m_folders;
    std::map<std::string, std::set<std::string>> m_removed, m_changed;
    std::vector<std::pair<std::string, std::string>> m_emptied;
};

} // namespace

TEST_F(WholeEngine, EveryEntryInRunOrderRemovesExactlyItsTracesAndNothingElse) {
    InstallWindowsAndInternetExplorer();
    InstallOffice();
    InstallApplicationsPartOne();
    InstallApplicationsPartTwo();
    const auto before = Snapshot();
    ExpectEmptied(before);

    const auto start = std::chrono::steady_clock::now();
    for (Member member : kRunOrder)
        (m_engine.*member)();
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start)
            .count();

    const auto after = Snapshot();
    const std::set<std::string> none;
    for (const auto& place : before) {
        const auto removed = Removed(place.second, after.at(place.first));
        const auto changed = Changed(place.second, after.at(place.first));
        EXPECT_EQ(Missing(removed, m_removed[place.first]), none) << place.first << ": not a trace";
        EXPECT_EQ(Missing(m_removed[place.first], removed), none) << place.first << ": left behind";
        EXPECT_EQ(Missing(changed, m_changed[place.first]), none) << place.first << ": changed";
        EXPECT_EQ(Missing(m_changed[place.first], changed), none) << place.first << ": unchanged";
    }

    EXPECT_EQ(StringValue(kInternetExplorer + "Main", "Start Page"), "about:blank");
    EXPECT_EQ(ReadText(m_folders.at("Windows") + "\\uedit32.INI"),
              "[Settings]\r\nFont=Courier\r\n");
    EXPECT_EQ(ReadText(m_folders.at("Program Files") + "\\winamp\\winamp.ini"),
              "[winamp]\r\nvolume=200\r\ncwd=\r\n");
    for (const auto& value : kFrontPageDefaults)
        EXPECT_EQ(StringValue(value.first, value.second), "") << value.second;
    for (const char* url : {kPage, kCookie, kVisited})
        EXPECT_FALSE(Cached(url)) << url;
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    SHQUERYRBINFO bin = {sizeof bin, 0, 0};
    SHQueryRecycleBinA(nullptr, &bin);
    EXPECT_EQ(bin.i64NumItems, 0);
    EXPECT_LT(seconds, 30);
}

// Each entry is previewed, then run: the preview changes nothing, and names exactly the keys,
// values, files and folders the run then removes, the values and settings files it changes, and
// the cache entries, clipboard and recycle bin it empties.
TEST_F(WholeEngine, ThePreviewOfEveryEntryNamesExactlyWhatItsRunRemoves) {
    InstallWindowsAndInternetExplorer();
    InstallOffice();
    InstallApplicationsPartOne();
    InstallApplicationsPartTwo();
    auto before = Snapshot();
    const std::set<std::string> none;
    for (size_t i = 0; i < std::size(kRunOrder); ++i) {
        Record record;
        const bool clipboard = CountClipboardFormats() > 0;
        SHQUERYRBINFO bin = {sizeof bin, 0, 0};
        SHQueryRecycleBinA(nullptr, &bin);
        std::set<std::string> cached;
        for (const char* url : {kPage, kCookie, kVisited})
            if (Cached(url))
                cached.insert(url);
        {
            const CVxPreview preview(record);
            (m_engine.*kRunOrder[i])();
        }
        const auto previewed = Snapshot();
        for (const auto& place : before)
            EXPECT_EQ(place.second, previewed.at(place.first))
                << "entry " << i << " " << place.first;

        (m_engine.*kRunOrder[i])();
        const auto after = Snapshot();
        std::set<std::string> removed, expected, changed;
        for (const auto& place : before) {
            for (const std::string& name :
                 FullNames(place.first, Removed(place.second, after.at(place.first))))
                removed.insert(name);
            for (const auto& entry : place.second) {
                const std::string name = FullName(place.first, entry.first);
                if (record.Removes(name))
                    expected.insert(name);
            }
            const auto folder = m_folders.find(place.first);
            for (const std::string& entry : Changed(place.second, after.at(place.first)))
                if (folder == m_folders.end() || !InUse(folder->second + "\\" + entry))
                    changed.insert(FullName(place.first, entry));
        }
        EXPECT_EQ(Missing(removed, expected), none) << "entry " << i << ": removed unannounced";
        EXPECT_EQ(Missing(expected, removed), none) << "entry " << i << ": announced, left";
        EXPECT_EQ(changed, record.changed) << "entry " << i;

        for (const char* url : {kPage, kCookie, kVisited})
            EXPECT_EQ(record.Has(VxTraceKind::CacheEntry, url), cached.count(url) && !Cached(url))
                << "entry " << i << " " << url;
        EXPECT_EQ(record.Has(VxTraceKind::Clipboard, "Clipboard"),
                  clipboard && CountClipboardFormats() == 0)
            << "entry " << i;
        SHQUERYRBINFO emptied = {sizeof emptied, 0, 0};
        SHQueryRecycleBinA(nullptr, &emptied);
        EXPECT_EQ(record.Has(VxTraceKind::RecycleBin, "Recycle Bin"),
                  bin.i64NumItems > 0 && emptied.i64NumItems == 0)
            << "entry " << i;
        before = after;
    }
}
