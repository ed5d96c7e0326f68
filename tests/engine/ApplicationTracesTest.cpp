// Application traces against a profile where each application is installed with its traces and
// with neighbours that must survive: each member removes exactly what it lists.
#include "ApplicationPlaces.h"
#include "Handle.h"
#include "TraceArea.h"
#include "VxMain.h"
#include "common/RegistryFixture.h"
#include "common/Scratch.h"
#include "common/ShellFolder.h"
#include "common/ValueGuard.h"

#include <gtest/gtest.h>

#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <sstream>

namespace {

const char kUserShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const char kRealUserData[] = "Software\\RealNetworks\\Preferences\\UserDataPath";
const char* const kACDSeeNames[] = {"OpenFolder",     "LastFolder",      "Favorites",
                                    "ImageDB",        "HistPaths",       "HistMCFDestFolder",
                                    "HistSearchText", "HistFileFilters", "Keep"};

// The lines of `snapshot` for one entry of `removed`: "\\key|value" is that value's line,
// "\\key" the key's whole tree.
std::set<std::string> LinesOf(const std::set<std::string>& snapshot, const std::string& entry) {
    std::set<std::string> lines;
    const bool value = entry.find('|') != std::string::npos;
    for (const std::string& line : snapshot) {
        if (line.compare(0, entry.size(), entry) != 0)
            continue;
        const char next = line.c_str()[entry.size()];
        if (value ? next == '=' : (next == '\0' || next == '\\' || next == '|'))
            lines.insert(line);
    }
    EXPECT_FALSE(lines.empty()) << "the fixture lacks " << entry;
    return lines;
}

// Runs the member and checks that below HKCU\top exactly the listed entries went.
void ExpectOnlyRemoved(CVxMain& engine, void (CVxMain::*member)(), const std::string& top,
                       const std::vector<std::string>& removed) {
    const auto before = Snapshot(top);
    (engine.*member)();
    std::set<std::string> expected;
    for (const std::string& entry : removed) {
        const auto lines = LinesOf(before, entry);
        expected.insert(lines.begin(), lines.end());
    }
    EXPECT_EQ(Missing(before, Snapshot(top)), expected) << top;
    EXPECT_EQ(Missing(Snapshot(top), before), std::set<std::string>()) << top;
}

// A folder with a file and a subfolder holding another, as an application leaves its logs.
void FillFolder(const std::string& folder) {
    MakeFolder(folder);
    WriteText(folder + "\\trace.log", "trace");
    MakeFolder(folder + "\\sub");
    WriteText(folder + "\\sub\\deeper.dat", "trace");
}

// Points a "User Shell Folders" value at a folder that does not exist, so that the shell cannot
// resolve that folder, and restores the value afterwards.
class UnknownShellFolder : ValueGuard {
public:
    UnknownShellFolder(HKEY root, const char* name) : ValueGuard(root, kUserShellFolders, name) {
        SetString(kUserShellFolders, name, "C:\\vxtest\\no such folder", root);
    }
};

bool Resolves(int csidl) {
    char folder[MAX_PATH];
    return SHGetSpecialFolderPathA(nullptr, folder, csidl, FALSE);
}

class ApplicationTraces : public TraceArea {
protected:
    void Clean() override { RemoveApplicationFixtures(); }

    // Every value name under every ACDSee key of the table, and a version key not in it.
    static void InstallACDSee() {
        for (const char* key :
             {"ACD Systems\\ACDSee", "Software\\ACD Systems\\ACDSee",
              "Software\\ACD Systems\\ACDSee32", "Software\\ACD Systems\\ACDSee\\50",
              "Software\\ACD Systems\\ACDSee\\60", "Software\\ACD Systems\\ACDSee\\70"})
            for (const char* name : kACDSeeNames)
                SetString(key, name, name);
        for (const char* name : kACDSeeNames)
            SetString(kACDSeeUsers + "\\ACDSee", name, name, HKEY_USERS);
        const std::string database = AppData("\\ACD Systems\\ACDSee");
        MakeFolders(database + "\\Backup");
        for (const char* name :
             {"ImageDB.dtf", "ImageDB.ddf", "Settings.ini", "Backup\\ImageDB.dtf"})
            WriteText(database + "\\" + name, "database");
    }

    // The Real user-data folder C:\vxtest\real\user with its traces, a neighbour file, a
    // cache folder and a subfolder holding a file of a listed pattern.
    void InstallRealFiles() {
        const std::string user = m_real / "user";
        MakeFolder(user);
        for (const char* name :
             {"a.ste", "b.STE", "url.ini", "urls.ini", "cookies.txt", "prefs.ini"})
            WriteText(user + "\\" + name, "trace");
        FillFolder(user + "\\Cache");
        FillFolder(m_real / "userCache");
        MakeFolder(user + "\\Other");
        WriteText(user + "\\Other\\c.ste", "trace");
    }

    ScratchFolder m_real{"real"};
};

} // namespace

TEST_F(ApplicationTraces, WithNothingInstalledEveryMemberChangesNothing) {
    const auto software = Snapshot("Software");
    const std::string programFiles = Listing(ProgramFiles("")),
                      windows = Listing(WindowsFolder(""));
    const std::string appData = Listing(AppData("")), common = Listing(CommonAppData(""));
    for (void (CVxMain::*member)() :
         {&CVxMain::DelACDSee,    &CVxMain::DelAcrobatReader, &CVxMain::DelADAware,
          &CVxMain::DelOLB,       &CVxMain::DelCuteFTP,       &CVxMain::DelFlashGet,
          &CVxMain::DelGetRight,  &CVxMain::DelICQ,           &CVxMain::DelmIRC,
          &CVxMain::DelPowerDVD,  &CVxMain::DelReal,          &CVxMain::DelUltraEdit,
          &CVxMain::DelWinAce,    &CVxMain::DelWinRar,        &CVxMain::DelWinZip,
          &CVxMain::DelZoneAlarm, &CVxMain::DelMediaPlayer,   &CVxMain::DelWordPad,
          &CVxMain::DelPaint,     &CVxMain::DelGoogleToolbar, &CVxMain::DelMSNToolbar})
        (m_engine.*member)();
    EXPECT_EQ(Snapshot("Software"), software);
    EXPECT_FALSE(KeyExists("ACD Systems"));
    EXPECT_EQ(Listing(ProgramFiles("")), programFiles);
    EXPECT_EQ(Listing(WindowsFolder("")), windows);
    EXPECT_EQ(Listing(AppData("")), appData);
    EXPECT_EQ(Listing(CommonAppData("")), common);
    EXPECT_FALSE(Exists(WindowsFolder("\\uedit32.INI")));
}

TEST_F(ApplicationTraces, DelACDSeeTakesTheBaseValuesEverywhereAndTheHistoryOnlyOfFiveAndSix) {
    InstallACDSee();
    const auto top = Snapshot("ACD Systems");
    const std::pair<const char*, size_t> counts[] = {
        {"\\ACDSee", 6}, {"\\ACDSee32", 6}, {"\\ACDSee\\50", 8}, {"\\ACDSee\\60", 8}};
    std::vector<std::string> removed;
    for (const auto& [key, count] : counts)
        for (size_t i = 0; i < count; ++i)
            removed.push_back(std::string(key) + "|" + kACDSeeNames[i]);
    ExpectOnlyRemoved(m_engine, &CVxMain::DelACDSee, "Software\\ACD Systems", removed);

    std::set<std::string> expectedTop;
    for (size_t i = 0; i < 6; ++i) {
        const auto lines = LinesOf(top, std::string("\\ACDSee|") + kACDSeeNames[i]);
        expectedTop.insert(lines.begin(), lines.end());
    }
    EXPECT_EQ(Missing(top, Snapshot("ACD Systems")), expectedTop);
    const auto users = ValueNames(kACDSeeUsers + "\\ACDSee", HKEY_USERS);
    EXPECT_EQ(std::set<std::string>(users.begin(), users.end()),
              (std::set<std::string>{"HistFileFilters", "HistSearchText", "Keep"}));
    EXPECT_EQ(Listing(AppData("\\ACD Systems\\ACDSee")), "Backup Settings.ini");
    EXPECT_TRUE(Exists(AppData("\\ACD Systems\\ACDSee\\Backup\\ImageDB.dtf")));
}

TEST_F(ApplicationTraces, AcrobatReaderLosesItsFourRecentValuesAndSixListsOfFixedVersions) {
    const std::string adobe = "Software\\Adobe";
    for (int i = 1; i <= 5; ++i)
        SetString(adobe + "\\Acrobat Reader\\4.0\\AdobeViewer", "avpRecentFile" + std::to_string(i),
                  "C:\\doc.pdf");
    for (const char* version : {"5.0", "6.0", "7.0"}) {
        const std::string v = version;
        SetString(adobe + "\\Acrobat\\" + v + "\\Weblink\\" + v + "\\OpenURL", "url", "http://a");
        MakeKey(adobe + "\\Acrobat\\" + v + "\\Weblink\\" + v + "\\OpenURL\\Nested");
        SetString(adobe + "\\Acrobat\\" + v + "\\Weblink\\" + v, "Keep", "keep");
        for (const char* product : {"\\Acrobat Reader\\", "\\Adobe Acrobat\\"}) {
            const std::string general = adobe + product + v + "\\AVGeneral";
            SetString(general + "\\cRecentFiles\\c1", "tDIText", "/C/doc.pdf");
            SetString(general, "bKeep", "keep");
        }
    }
    ExpectOnlyRemoved(
        m_engine, &CVxMain::DelAcrobatReader, adobe,
        {"\\Acrobat Reader\\4.0\\AdobeViewer|avpRecentFile1",
         "\\Acrobat Reader\\4.0\\AdobeViewer|avpRecentFile2",
         "\\Acrobat Reader\\4.0\\AdobeViewer|avpRecentFile3",
         "\\Acrobat Reader\\4.0\\AdobeViewer|avpRecentFile4",
         "\\Acrobat\\5.0\\Weblink\\5.0\\OpenURL", "\\Acrobat Reader\\5.0\\AVGeneral\\cRecentFiles",
         "\\Adobe Acrobat\\5.0\\AVGeneral\\cRecentFiles", "\\Acrobat\\6.0\\Weblink\\6.0\\OpenURL",
         "\\Acrobat Reader\\6.0\\AVGeneral\\cRecentFiles",
         "\\Adobe Acrobat\\6.0\\AVGeneral\\cRecentFiles"});
}

TEST_F(ApplicationTraces, SubkeyListsOfOrlimbyGetRightArchiversPlayerAppletsAndToolbars) {
    SetString("Software\\Dravok\\OrlimbyStudio\\Settings2\\Recent", "1", "C:\\a.olb");
    SetString("Software\\Dravok\\OrlimbyStudio\\Settings", "Keep", "keep");
    ExpectOnlyRemoved(m_engine, &CVxMain::DelOLB, "Software\\Dravok\\OrlimbyStudio",
                      {"\\Settings2"});

    const std::string getRight = "Software\\Headlight\\GetRight";
    for (const char* list : {"\\MRU", "\\Recent File List", "\\TypedURLS", "\\Options"})
        SetString(getRight + list, "1", "http://download");
    MakeKey(getRight + "\\MRU\\Nested");
    ExpectOnlyRemoved(m_engine, &CVxMain::DelGetRight, "Software\\Headlight",
                      {"\\GetRight\\MRU", "\\GetRight\\Recent File List", "\\GetRight\\TypedURLS"});

    const std::string ace = "Software\\e-merge\\WinAce\\2.0";
    for (const char* list : {"\\Copy", "\\MRU Items", "\\Favorites", "\\Options"})
        SetString(ace + list, "1", "C:\\a.ace");
    SetString(ace, "Keep", "keep");
    ExpectOnlyRemoved(
        m_engine, &CVxMain::DelWinAce, "Software\\e-merge",
        {"\\WinAce\\2.0\\Copy", "\\WinAce\\2.0\\MRU Items", "\\WinAce\\2.0\\Favorites"});

    for (const char* list : {"\\ArcHistory", "\\DialogEditHistory", "\\Interface"})
        SetString(std::string("Software\\WinRAR") + list, "0", "C:\\a.rar");
    SetString("Software\\WinRAR\\General", "LastFolder", "C:\\rar");
    SetString("Software\\WinRAR\\General", "Keep", "keep");
    ExpectOnlyRemoved(m_engine, &CVxMain::DelWinRar, "Software\\WinRAR",
                      {"\\ArcHistory", "\\DialogEditHistory", "\\General|LastFolder"});

    const std::string zip = "Software\\Nico Mak Computing\\WinZip";
    for (const char* list : {"\\filemenu", "\\extract", "\\WinIni"})
        SetString(zip + list, "1", "C:\\a.zip");
    for (const char* name : {"DefDir", "ExtractTo", "AddDir"})
        SetString(zip + "\\directories", name, "C:\\zip");
    ExpectOnlyRemoved(m_engine, &CVxMain::DelWinZip, "Software\\Nico Mak Computing",
                      {"\\WinZip\\filemenu", "\\WinZip\\extract", "\\WinZip\\directories|DefDir",
                       "\\WinZip\\directories|ExtractTo"});

    const std::string applets = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets";
    for (const char* applet : {"\\Wordpad", "\\Paint"}) {
        SetString(applets + applet + "\\Recent File List", "File1", "C:\\a");
        SetString(applets + applet + "\\Options", "Keep", "keep");
    }
    ExpectOnlyRemoved(m_engine, &CVxMain::DelWordPad, applets, {"\\Wordpad\\Recent File List"});
    ExpectOnlyRemoved(m_engine, &CVxMain::DelPaint, applets, {"\\Paint\\Recent File List"});

    SetString("Software\\Microsoft\\MSN Toolbar", "SearchStrings", "secret");
    SetString("Software\\Microsoft\\MSN Toolbar", "Keep", "keep");
    ExpectOnlyRemoved(m_engine, &CVxMain::DelMSNToolbar, "Software\\Microsoft\\MSN Toolbar",
                      {"|SearchStrings"});
}

TEST_F(ApplicationTraces, GoogleToolbarClearsVersionOneOneAndTheHighestVersion) {
    const std::string nav = "Software\\Google\\NavClient";
    for (const char* version : {"\\1.1", "\\2.0", "\\3.0"}) {
        SetString(nav + version + "\\History", "1", "secret search");
        SetString(nav + version + "\\Options", "Keep", "keep");
    }
    ExpectOnlyRemoved(m_engine, &CVxMain::DelGoogleToolbar, nav,
                      {"\\1.1\\History", "\\3.0\\History"});

    DeleteKeyQuietly(nav);
    SetString(nav + "\\1.1\\History", "1", "secret search");
    SetString(nav + "\\0.9\\History", "1", "kept");
    m_engine.DelGoogleToolbar();
    EXPECT_FALSE(KeyExists(nav + "\\1.1\\History"));
    EXPECT_TRUE(KeyExists(nav + "\\0.9\\History"));
}

TEST_F(ApplicationTraces, CuteFTPRemovesTreesOfSubkeysNamedCuteFTPInAnyCase) {
    const std::string scape = "Software\\GlobalSCAPE";
    for (const char* name : {"CUTEFTPPRO", "CuteFTP 5.0", "CuteFTP Home Edition 7.0", "Cute",
                             "Secure FTP Server", "xCuteFTP"})
        SetString(scape + "\\" + name + "\\Sites", "Host", "ftp.example");
    MakeKey(scape + "\\CuteFTP 5.0\\Sites\\Deeper");
    FillFolder(AppData("\\GlobalSCAPE"));
    FillFolder(AppData("\\GlobalSCAPE\\CuteFTP"));

    m_engine.DelCuteFTP();

    EXPECT_EQ(Subkeys(scape), (std::vector<std::string>{"Cute", "Secure FTP Server", "xCuteFTP"}));
    EXPECT_EQ(Listing(AppData("\\GlobalSCAPE\\CuteFTP")), "");
    EXPECT_EQ(Listing(AppData("\\GlobalSCAPE")), "CuteFTP sub trace.log");
    EXPECT_TRUE(Exists(AppData("\\GlobalSCAPE\\sub\\deeper.dat")));
}

TEST_F(ApplicationTraces, CuteFTPScanEndsAtASubkeyNameOfTwentyFiveCharacters) {
    const std::string scape = "Software\\GlobalSCAPE";
    const std::string longName = "CuteFTP Name Of 25 Chars.";
    for (const std::string& name :
         {std::string("CuteFTP 4.0"), std::string("CuteFTP 5.0"), longName,
          std::string("CuteFTP Pro"), std::string("cuteftp xp")})
        MakeChild(scape, name);
    const auto order = Subkeys(scape);
    const size_t stop = std::find(order.begin(), order.end(), longName) - order.begin();
    ASSERT_GT(stop, 0u);
    ASSERT_LT(stop + 1, order.size());
    m_engine.DelCuteFTP();
    for (size_t i = 0; i < order.size(); ++i)
        EXPECT_EQ(KeyExists(scape + "\\" + order[i]), i <= stop) << order[i];
}

TEST_F(ApplicationTraces, WithoutAppDataOnlyTheFolderStepsOfACDSeeAndCuteFTPAreSkipped) {
    InstallACDSee();
    SetString("Software\\GlobalSCAPE\\CuteFTP 5.0", "Host", "ftp.example");
    FillFolder(AppData("\\GlobalSCAPE"));
    FillFolder(AppData("\\GlobalSCAPE\\CuteFTP"));
    const std::string database = AppData("\\ACD Systems\\ACDSee");
    {
        UnknownShellFolder unknown(HKEY_CURRENT_USER, "AppData");
        ASSERT_FALSE(Resolves(CSIDL_APPDATA));
        m_engine.DelACDSee();
        m_engine.DelCuteFTP();
    }
    EXPECT_FALSE(ValueExists("Software\\ACD Systems\\ACDSee\\60", "HistFileFilters"));
    EXPECT_FALSE(KeyExists("Software\\GlobalSCAPE\\CuteFTP 5.0"));
    EXPECT_EQ(Listing(database), "Backup ImageDB.ddf ImageDB.dtf Settings.ini");
    EXPECT_EQ(Listing(AppData("\\GlobalSCAPE\\CuteFTP")), "sub trace.log");
}

TEST_F(ApplicationTraces, FlashGetErasesReadOnlyDefaultFilesButNotLookAlikes) {
    SetString("Software\\JetCar\\JetCar\\DownDir\\Recent", "1", "C:\\downloads");
    SetString("Software\\JetCar\\JetCar\\General", "Keep", "keep");
    const std::string folder = ProgramFiles("\\FlashGet");
    MakeFolder(folder);
    WriteText(folder + "\\Default.jcd", "jobs", FILE_ATTRIBUTE_READONLY);
    WriteText(folder + "\\Default.cfg", "settings",
              FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    WriteText(folder + "\\Default.x.bak", "backup");
    WriteText(folder + "\\Defaults", "kept");
    // Held open, so that the erase fails and shows the attributes the member left.
    WriteText(folder + "\\Default.lck", "in use", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    const DWORD heldAttributes = GetFileAttributesA((folder + "\\Default.lck").c_str());
    ASSERT_TRUE(heldAttributes & FILE_ATTRIBUTE_READONLY);
    FileHandle held(CreateFileA((folder + "\\Default.lck").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    WriteText(folder + "\\MyDefault.cfg", "kept");
    MakeFolder(folder + "\\Default.dir");
    WriteText(folder + "\\Default.dir\\Default.jcd", "kept");

    ExpectOnlyRemoved(m_engine, &CVxMain::DelFlashGet, "Software\\JetCar", {"\\JetCar\\DownDir"});

    held.Reset();
    EXPECT_EQ(Listing(folder), "Default.dir Default.lck Defaults MyDefault.cfg");
    EXPECT_EQ(GetFileAttributesA((folder + "\\Default.lck").c_str()),
              heldAttributes & ~FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(Listing(folder + "\\Default.dir"), "Default.jcd");
}

TEST_F(ApplicationTraces, GetRightErasesOnlyItsHistoryFile) {
    const std::string folder = ProgramFiles("\\GetRight");
    MakeFolder(folder);
    MakeFolder(folder + "\\Old");
    for (const char* name : {"GetRight.hst", "GetRight.ini", "Old\\GetRight.hst"})
        WriteText(folder + "\\" + name, "history");
    m_engine.DelGetRight();
    EXPECT_EQ(Listing(folder), "GetRight.ini Old");
    EXPECT_EQ(Listing(folder + "\\Old"), "GetRight.hst");
}

TEST_F(ApplicationTraces, FolderMembersEmptyTheirListedFoldersOnly) {
    FillFolder(ProgramFiles("\\Lavasoft"));
    FillFolder(ProgramFiles("\\Lavasoft\\Ad-aware 6"));
    FillFolder(ProgramFiles("\\Lavasoft\\Ad-aware 6\\Logs"));

    const char* const icqFolders[] = {"2000b",
                                      "2002a",
                                      "Bookmark",
                                      "ICQFiles",
                                      "Pictures",
                                      "Received Files",
                                      "2003a",
                                      "AteBrowser",
                                      "DataFiles",
                                      "Plugins\\ExtContacts",
                                      "Plugins\\Info",
                                      "Plugins\\Status",
                                      "Plugins\\VoiceMessage"};
    FillFolder(ProgramFiles("\\ICQ"));
    FillFolder(ProgramFiles("\\ICQ\\Plugins"));
    FillFolder(ProgramFiles("\\ICQ\\Sounds"));
    for (const char* name : icqFolders)
        FillFolder(ProgramFiles("\\ICQ\\") + name);

    FillFolder(ProgramFiles("\\mIRC"));
    for (const char* name : {"\\download", "\\logs", "\\channels", "\\sounds"})
        FillFolder(ProgramFiles("\\mIRC") + name);

    MakeFolders(ProgramFiles("\\CyberLink\\PowerDVD\\Lists"));
    for (const char* name : {"a.pls", "B.PLS", "c.m3u", "movie.ini", "Lists\\d.pls"})
        WriteText(ProgramFiles("\\CyberLink\\PowerDVD\\") + name, "list");

    m_engine.DelADAware();
    m_engine.DelICQ();
    m_engine.DelmIRC();
    m_engine.DelPowerDVD();

    EXPECT_EQ(Listing(ProgramFiles("\\Lavasoft\\Ad-aware 6\\Logs")), "");
    EXPECT_EQ(Listing(ProgramFiles("\\Lavasoft\\Ad-aware 6")), "Logs sub trace.log");
    EXPECT_EQ(Listing(ProgramFiles("\\Lavasoft")), "Ad-aware 6 sub trace.log");
    for (const char* name : icqFolders)
        EXPECT_EQ(Listing(ProgramFiles("\\ICQ\\") + name), "") << name;
    EXPECT_EQ(Listing(ProgramFiles("\\ICQ\\Plugins")),
              "ExtContacts Info Status VoiceMessage sub trace.log");
    EXPECT_EQ(Listing(ProgramFiles("\\ICQ\\Sounds")), "sub trace.log");
    EXPECT_TRUE(Exists(ProgramFiles("\\ICQ\\trace.log")));
    for (const char* name : {"\\download", "\\logs", "\\channels"})
        EXPECT_EQ(Listing(ProgramFiles("\\mIRC") + name), "") << name;
    EXPECT_EQ(Listing(ProgramFiles("\\mIRC\\sounds")), "sub trace.log");
    EXPECT_EQ(Listing(ProgramFiles("\\CyberLink\\PowerDVD")), "Lists movie.ini");
    EXPECT_EQ(Listing(ProgramFiles("\\CyberLink\\PowerDVD\\Lists")), "d.pls");
}

TEST_F(ApplicationTraces, ZoneAlarmErasesItsTwoLogsInTheWindowsFolder) {
    const std::string logs = WindowsFolder("\\Internet Logs");
    MakeFolder(logs);
    for (const char* name : {"ZALog.txt", "tvDebug.log", "backup.rdf"})
        WriteText(logs + "\\" + name, "log");
    m_engine.DelZoneAlarm();
    EXPECT_EQ(Listing(logs), "backup.rdf");
}

TEST_F(ApplicationTraces, UltraEditKeepsOnlyTheSettingsSectionWithoutItsLastFileKeys) {
    const std::string profile = WindowsFolder("\\uedit32.INI");
    WriteText(profile, "[Settings]\r\nLast File=C:\\secret.txt\r\nFont=Courier\r\n"
                       "Last Project Dir=C:\\project\r\nTab=4\r\n"
                       "[Find History]\r\nFind1=password\r\n"
                       "[Recent File List]\r\nFile1=C:\\secret.txt\r\n"
                       "[Find/Replace]\r\nWhat=x\r\n[Replace History]\r\nR1=y\r\n"
                       "[UE-Compare]\r\nLeft=C:\\a\r\n[Recent Projects]\r\nP1=C:\\p\r\n"
                       "[Printer]\r\nName=Laser\r\n");
    m_engine.DelUltraEdit();
    std::istringstream text(ReadText(profile));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) {
        line.erase(line.find_last_not_of("\r ") + 1);
        if (!line.empty())
            lines.push_back(line);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"[Settings]", "Font=Courier", "Tab=4", "[Printer]",
                                               "Name=Laser"}));
}

TEST_F(ApplicationTraces, MediaPlayerErasesLibraryIndexAndRecentLists) {
    for (const char* name :
         {"\\wmplibrary_v_0_12.db", "\\wmplibrary_v_0_12.lrd", "\\wmplibrary_v_0_11.db"})
        WriteText(WindowsFolder(name), "library");
    MakeFolders(CommonAppData("\\Microsoft\\Media Index"));
    FillFolder(CommonAppData("\\Microsoft\\Media Index"));
    const std::string player = "Software\\Microsoft\\MediaPlayer\\Player";
    for (const char* list : {"\\RecentFileList", "\\RecentURLList", "\\Settings"})
        SetString(player + list, "File0", "C:\\song.wma");

    ExpectOnlyRemoved(m_engine, &CVxMain::DelMediaPlayer, "Software\\Microsoft\\MediaPlayer",
                      {"\\Player\\RecentFileList", "\\Player\\RecentURLList"});

    EXPECT_FALSE(Exists(WindowsFolder("\\wmplibrary_v_0_12.db")));
    EXPECT_FALSE(Exists(WindowsFolder("\\wmplibrary_v_0_12.lrd")));
    EXPECT_TRUE(Exists(WindowsFolder("\\wmplibrary_v_0_11.db")));
    EXPECT_EQ(Listing(CommonAppData("\\Microsoft\\Media Index")), "");
}

TEST_F(ApplicationTraces, MediaPlayerWithoutCommonAppDataKeepsItsRegistryLists) {
    WriteText(WindowsFolder("\\wmplibrary_v_0_12.db"), "library");
    MakeFolders(CommonAppData("\\Microsoft\\Media Index"));
    FillFolder(CommonAppData("\\Microsoft\\Media Index"));
    SetString("Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList", "File0", "C:\\a.wma");
    {
        UnknownShellFolder unknown(HKEY_LOCAL_MACHINE, "Common AppData");
        ASSERT_FALSE(Resolves(CSIDL_COMMON_APPDATA));
        m_engine.DelMediaPlayer();
    }
    EXPECT_FALSE(Exists(WindowsFolder("\\wmplibrary_v_0_12.db")));
    EXPECT_TRUE(KeyExists("Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList"));
    EXPECT_EQ(Listing(CommonAppData("\\Microsoft\\Media Index")), "sub trace.log");
}

TEST_F(ApplicationTraces, RealPlayerClearsClipListsUserFilesAndTheCacheInsideTheUserFolder) {
    const std::string preferences = "Software\\RealNetworks\\RealPlayer\\6.0\\Preferences";
    for (const char* name :
         {"MostRecentClips1", "mostrecentclips2", "OpenLocationClips1", "RecentClips", "Volume"})
        SetString(preferences + "\\" + name, "", "value");
    SetString(kRealUserData, "", m_real / "user\\");
    SetString(kRealClass, "", "Cache", HKEY_CLASSES_ROOT);
    InstallRealFiles();

    ExpectOnlyRemoved(m_engine, &CVxMain::DelReal, "Software\\RealNetworks",
                      {"\\RealPlayer\\6.0\\Preferences\\MostRecentClips1",
                       "\\RealPlayer\\6.0\\Preferences\\mostrecentclips2",
                       "\\RealPlayer\\6.0\\Preferences\\OpenLocationClips1"});

    EXPECT_EQ(Listing(m_real / "user"), "Cache Other prefs.ini");
    EXPECT_EQ(Listing(m_real / "user\\Cache"), "");
    EXPECT_EQ(Listing(m_real / "user\\Other"), "c.ste");
    EXPECT_EQ(Listing(m_real / "userCache"), "sub trace.log");
}

TEST_F(ApplicationTraces, RealPlayerGluesTheCacheNameToAUserFolderWithoutBackslash) {
    SetString(kRealUserData, "", m_real / "user");
    SetString(kRealClass, "", "Cache", HKEY_CLASSES_ROOT);
    InstallRealFiles();
    m_engine.DelReal();
    EXPECT_EQ(Listing(m_real / "user"), "Cache Other prefs.ini");
    EXPECT_EQ(Listing(m_real / "user\\Cache"), "sub trace.log");
    EXPECT_EQ(Listing(m_real / "userCache"), "");
}

TEST_F(ApplicationTraces, RealPlayerAcceptsExpandableAndUnterminatedFolderTexts) {
    SetEnvironmentVariableA("VXREALTEST", m_real.Path().c_str());
    SetValue(kRealUserData, "", REG_EXPAND_SZ, std::string("%VXREALTEST%\\user\\") + '\0');
    SetValue(kRealClass, "", REG_SZ, "Cache", HKEY_CLASSES_ROOT);
    InstallRealFiles();
    m_engine.DelReal();
    SetEnvironmentVariableA("VXREALTEST", nullptr);
    EXPECT_EQ(Listing(m_real / "user"), "Cache Other prefs.ini");
    EXPECT_EQ(Listing(m_real / "user\\Cache"), "");
}

TEST_F(ApplicationTraces, RealPlayerNeverWorksOnAnUnreadUserFolder) {
    // An empty folder text would address the root of the current drive and, glued to the cache
    // name, a folder of the current folder.
    ScratchFolder current("real-current");
    FillFolder(current / "Cache");
    char saved[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, saved);
    SetCurrentDirectoryA(current.Path().c_str());
    std::vector<std::string> rootFiles;
    for (const char* name : {"C:\\url.ini", "C:\\urls.ini", "C:\\cookies.txt", "C:\\vxtest.ste"})
        if (!Exists(name)) {
            WriteText(name, "kept");
            rootFiles.push_back(name);
        }
    SetString(kRealClass, "", "Cache", HKEY_CLASSES_ROOT);

    const struct {
        const char* what;
        DWORD type;
        std::string bytes;
    } userData[] = {{"no key", REG_NONE, ""},
                    {"no default value", REG_NONE, ""},
                    {"empty text", REG_SZ, std::string(1, '\0')},
                    {"a number", REG_DWORD, std::string("\x43\x3a\x5c\x00", 4)},
                    {"text too long", REG_SZ, std::string(300, 'C')}};
    for (const auto& value : userData) {
        DeleteKeyQuietly("Software\\RealNetworks");
        if (value.type != REG_NONE)
            SetValue(kRealUserData, "", value.type, value.bytes);
        else if (std::string(value.what) == "no default value")
            SetString(kRealUserData, "Other", m_real.Path());
        m_engine.DelReal();
        for (const std::string& name : rootFiles)
            EXPECT_TRUE(Exists(name)) << value.what << " " << name;
        EXPECT_EQ(Listing(current / "Cache"), "sub trace.log") << value.what;
    }
    SetCurrentDirectoryA(saved);
    for (const std::string& name : rootFiles)
        RemoveTree(name);
}

TEST_F(ApplicationTraces, RealPlayerKeepsTheUserFolderWhenTheCacheNameIsUnread) {
    SetString(kRealUserData, "", m_real / "user\\");
    InstallRealFiles();
    m_engine.DelReal();
    EXPECT_EQ(Listing(m_real / "user"), "Cache Other prefs.ini");
    EXPECT_EQ(Listing(m_real / "user\\Cache"), "sub trace.log");

    SetString(kRealClass, "", "", HKEY_CLASSES_ROOT);
    WriteText(m_real / "user\\url.ini", "trace");
    m_engine.DelReal();
    EXPECT_EQ(Listing(m_real / "user"), "Cache Other prefs.ini");
    EXPECT_EQ(Listing(m_real / "user\\Cache"), "sub trace.log");
}
