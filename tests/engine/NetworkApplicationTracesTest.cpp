// File-sharing, messenger, download, player, editor and browser traces: each member against an
// installed application with neighbours that must survive, compared entry by entry.
#include "ApplicationPlaces.h"
#include "FileSystem.h"
#include "Handle.h"
#include "TraceArea.h"
#include "TraceTree.h"
#include "VxMain.h"
#include "common/Scratch.h"
#include "common/ShellFolder.h"

#include <gtest/gtest.h>

#include <shlobj.h>
#include <shlwapi.h>
#include <winioctl.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

namespace {

const std::string kProgramFiles = ShellFolder(CSIDL_PROGRAM_FILES);

// Answers the engine's shell folder lookups from a table for the length of a test, by replacing
// the engine's imports of SHGetSpecialFolderPathW and SHGetSpecialFolderPathA. A folder mapped to
// an empty text fails the lookup; folders not in the table are the system's.
class ShellFolderOverride {
public:
    explicit ShellFolderOverride(std::map<int, std::string> folders) {
        s_folders = std::move(folders);
        m_slot = ImportSlot("SHGetSpecialFolderPathA");
        m_wideSlot = ImportSlot("SHGetSpecialFolderPathW");
        if (m_slot && m_wideSlot) {
            m_original = Patch(m_slot, reinterpret_cast<void*>(&Lookup));
            m_wideOriginal = Patch(m_wideSlot, reinterpret_cast<void*>(&LookupWide));
        }
    }
    ~ShellFolderOverride() {
        if (Active()) {
            Patch(m_slot, m_original);
            Patch(m_wideSlot, m_wideOriginal);
        }
    }
    ShellFolderOverride(const ShellFolderOverride&) = delete;
    ShellFolderOverride& operator=(const ShellFolderOverride&) = delete;

    bool Active() const { return m_slot && m_wideSlot; }

private:
    static BOOL WINAPI LookupWide(HWND owner, LPWSTR path, int csidl, BOOL create) {
        const auto folder = s_folders.find(csidl);
        if (folder == s_folders.end())
            return SHGetSpecialFolderPathW(owner, path, csidl, create);
        if (folder->second.empty())
            return FALSE;
        lstrcpynW(path, fs::FromAnsi(folder->second.c_str()).c_str(), MAX_PATH);
        return TRUE;
    }

    static BOOL WINAPI Lookup(HWND owner, LPSTR path, int csidl, BOOL create) {
        const auto folder = s_folders.find(csidl);
        if (folder == s_folders.end())
            return SHGetSpecialFolderPathA(owner, path, csidl, create);
        if (folder->second.empty())
            return FALSE;
        lstrcpynA(path, folder->second.c_str(), MAX_PATH);
        return TRUE;
    }

    static void** ImportSlot(const char* function) {
        BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA("vxclean.dll"));
        if (!base)
            return nullptr;
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
            base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const auto& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* module =
                 reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             module->Name; ++module) {
            if (lstrcmpiA(reinterpret_cast<const char*>(base + module->Name), "shell32.dll"))
                continue;
            auto* name =
                reinterpret_cast<const IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
            auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
            for (; name->u1.AddressOfData; ++name, ++slot) {
                if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal))
                    continue;
                const auto* byName =
                    reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
                if (!strcmp(reinterpret_cast<const char*>(byName->Name), function))
                    return reinterpret_cast<void**>(&slot->u1.Function);
            }
        }
        return nullptr;
    }

    // Returns what the slot held.
    static void* Patch(void** slot, void* function) {
        DWORD protection;
        VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
        void* const original = std::exchange(*slot, function);
        VirtualProtect(slot, sizeof *slot, protection, &protection);
        return original;
    }

    static std::map<int, std::string> s_folders;
    void** m_slot = nullptr;
    void** m_wideSlot = nullptr;
    void* m_original = nullptr;
    void* m_wideOriginal = nullptr;
};

std::map<int, std::string> ShellFolderOverride::s_folders;

// A free drive letter mapped to a folder of C: for the length of a test. Windows maps it as a
// substitute drive; Wine's file access does not follow those, so there the mount manager links
// the letter to the folder's Unix path, as Wine's own configuration tool does.
class MappedDrive {
public:
    explicit MappedDrive(const std::string& folder) : m_folder(folder) {
        const DWORD used = GetLogicalDrives();
        char letter = 'Q';
        while (letter <= 'Y' && (used & (1u << (letter - 'A'))))
            ++letter;
        if (letter > 'Y')
            return;
        m_root = std::string(1, letter) + ":";
        const bool mapped =
            UnixPath() ? MountManager(true) : DefineDosDeviceA(0, m_root.c_str(), folder.c_str());
        if (!mapped)
            m_root.clear();
    }
    ~MappedDrive() {
        if (m_root.empty())
            return;
        if (UnixPath())
            MountManager(false);
        else
            DefineDosDeviceA(DDD_REMOVE_DEFINITION, m_root.c_str(), m_folder.c_str());
    }
    MappedDrive(const MappedDrive&) = delete;
    MappedDrive& operator=(const MappedDrive&) = delete;

    // "Q:", or empty when no letter could be mapped.
    const std::string& Root() const { return m_root; }

private:
    using UnixPathFunction = char*(CDECL*)(const WCHAR*);
    static UnixPathFunction UnixPath() {
        return reinterpret_cast<UnixPathFunction>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    }

    // The mount manager's request to link a drive letter to a Unix folder, or to unlink it.
    struct UnixDrive {
        ULONG size;
        ULONG type;
        ULONG fsType;
        DWORD serial;
        ULONGLONG unixDevice;
        WCHAR letter;
        USHORT mountPointOffset;
        USHORT deviceOffset;
        USHORT labelOffset;
    };

    bool MountManager(bool link) {
        std::string unixPath;
        if (link) {
            WCHAR wide[MAX_PATH];
            MultiByteToWideChar(CP_ACP, 0, m_folder.c_str(), -1, wide, MAX_PATH);
            const HeapBlock path(UnixPath()(wide));
            if (!path)
                return false;
            unixPath = static_cast<const char*>(path.Get());
        }
        std::string request(sizeof(UnixDrive) + unixPath.size() + 1, '\0');
        auto* drive = reinterpret_cast<UnixDrive*>(&request[0]);
        drive->size = DWORD(request.size());
        drive->letter = WCHAR(m_root[0]);
        drive->type = link ? DRIVE_FIXED : DRIVE_NO_ROOT_DIR;
        if (link) {
            drive->mountPointOffset = sizeof(UnixDrive);
            memcpy(&request[sizeof(UnixDrive)], unixPath.c_str(), unixPath.size());
        }
        const FileHandle manager(
            CreateFileA("\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
        if (!manager)
            return false;
        DWORD returned = 0;
        return DeviceIoControl(
            manager.Get(), CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS),
            &request[0], DWORD(request.size()), nullptr, 0, &returned, nullptr);
    }

    std::string m_folder;
    std::string m_root;
};

class NetworkTraces : public TraceArea {
protected:
    void Clean() override { RemoveNetworkFixtures(); }

    // Everything the tests install, as one tree per place.
    static std::map<std::string, Tree> Everything() {
        std::map<std::string, Tree> trees;
        trees["HKCU"] = RegistryTree(HKEY_CURRENT_USER, "Software");
        for (const char* key : kNetworkMachineKeys)
            trees[std::string("HKLM\\") + key] = RegistryTree(HKEY_LOCAL_MACHINE, key);
        trees["Program Files"] = FolderTree(kProgramFiles);
        trees["C:"] = FolderFiles("C:");
        for (const char* version : {"6.0", "7.0"}) {
            const std::string folder = std::string("C:\\America Online ") + version;
            trees[folder] = FolderTree(folder);
        }
        trees["Opera"] = FolderTree(kOpera);
        return trees;
    }
};

std::string InProgramFiles(const std::string& suffix) {
    return kProgramFiles + "\\" + suffix;
}

} // namespace

TEST_F(NetworkTraces, WithNothingInstalledEveryMemberChangesNothing) {
    const auto before = Everything();
    m_engine.DeliMesh();
    m_engine.DelMorpheus();
    m_engine.DelKazaa();
    m_engine.DelBearShare();
    m_engine.DelDreamWeaver();
    m_engine.DelAOLMessenger();
    m_engine.DelAOL();
    m_engine.DelDAP();
    m_engine.DelWINAMP();
    m_engine.DelNetMeeting();
    m_engine.DelPSP();
    m_engine.DelYahoo();
    m_engine.DelNapster();
    m_engine.DelTrillian();
    m_engine.DelDivX();
    m_engine.DelMediaJukeBox();
    m_engine.DelOpera();
    EXPECT_EQ(Everything(), before);
    EXPECT_FALSE(Exists(InProgramFiles("winamp\\winamp.ini")))
        << "the profile edit creates no file";
}

TEST_F(NetworkTraces, iMeshLosesItsSearchHistoryPartialFilesPlayListsAndDatabase) {
    const std::string key = "Software\\iMesh\\Client\\Local";
    PlantKeys(HKEY_CURRENT_USER, {key + "|SearchEditHistory", key + "|SearchEditHistorySize",
                                  key + "|Language", "Software\\iMesh\\Client\\Remote|Server"});
    PlantFiles(InProgramFiles("iMesh"),
               {"Client\\Partial\\song.part", "Client\\Partial\\chunks\\1.part",
                "Client\\PlayLists\\party.m3u", "Client\\DB\\index.dbb", "Client\\DB\\users.db",
                "Client\\DB\\old\\archive.dbb", "Client\\iMesh.exe", "Client\\Shared\\song.mp3"});
    const auto registry = RegistryTree(HKEY_CURRENT_USER, "Software\\iMesh");
    const auto files = FolderTree(InProgramFiles("iMesh"));

    m_engine.DeliMesh();

    const auto registryAfter = RegistryTree(HKEY_CURRENT_USER, "Software\\iMesh");
    const auto filesAfter = FolderTree(InProgramFiles("iMesh"));
    EXPECT_EQ(Removed(registry, registryAfter),
              Under(key + "|", {"SearchEditHistory", "SearchEditHistorySize"}));
    EXPECT_EQ(Removed(files, filesAfter),
              Under("Client\\", {"Partial\\song.part", "Partial\\chunks\\",
                                 "Partial\\chunks\\1.part", "PlayLists\\party.m3u", "DB\\index.dbb",
                                 "DB\\users.db", "DB\\old\\", "DB\\old\\archive.dbb"}));
    EXPECT_EQ(Changed(registry, registryAfter), std::set<std::string>());
    EXPECT_EQ(Changed(files, filesAfter), std::set<std::string>());
}

TEST_F(NetworkTraces, MorpheusEmptiesItsSharedAndDownloadFoldersCompletely) {
    PlantKeys(HKEY_CURRENT_USER, {"Software\\Morpheus\\Morpheus\\Recent File List|File1",
                                  "Software\\Morpheus\\Morpheus\\Recent File List\\Nested\\",
                                  "Software\\Morpheus\\Morpheus\\Settings|Port"});
    PlantKeys(HKEY_LOCAL_MACHINE,
              {"Software\\Morpheus\\SearchRecent|1", "Software\\Morpheus\\Install|Path"});
    PlantFiles(InProgramFiles("Morpheus"), {"Db\\files.db", "My Shared Folder\\song.mp3",
                                            "My Shared Folder\\album\\track.mp3", "Morpheus.exe"});
    PlantFiles(InProgramFiles("StreamCast"),
               {"Morpheus\\Db\\files.db", "Morpheus\\My Shared Folder\\video.avi",
                "Morpheus\\Downloads\\movie.avi", "Morpheus\\Downloads\\partial\\part.dat",
                "Morpheus\\Skins\\default.skin", "Morpheus\\Morpheus.exe"});
    const auto user = RegistryTree(HKEY_CURRENT_USER, "Software\\Morpheus");
    const auto machine = RegistryTree(HKEY_LOCAL_MACHINE, "Software\\Morpheus");
    const auto old = FolderTree(InProgramFiles("Morpheus"));
    const auto current = FolderTree(InProgramFiles("StreamCast"));

    m_engine.DelMorpheus();

    EXPECT_EQ(
        Removed(user, RegistryTree(HKEY_CURRENT_USER, "Software\\Morpheus")),
        Under("Software\\Morpheus\\Morpheus\\Recent File List", {"\\", "|File1", "\\Nested\\"}));
    EXPECT_EQ(Removed(machine, RegistryTree(HKEY_LOCAL_MACHINE, "Software\\Morpheus")),
              Under("Software\\Morpheus\\SearchRecent", {"\\", "|1"}));
    EXPECT_EQ(
        Removed(old, FolderTree(InProgramFiles("Morpheus"))),
        (std::set<std::string>{"Db\\files.db", "My Shared Folder\\song.mp3",
                               "My Shared Folder\\album\\", "My Shared Folder\\album\\track.mp3"}));
    EXPECT_EQ(
        Removed(current, FolderTree(InProgramFiles("StreamCast"))),
        Under("Morpheus\\", {"Db\\files.db", "My Shared Folder\\video.avi", "Downloads\\movie.avi",
                             "Downloads\\partial\\", "Downloads\\partial\\part.dat"}));
    for (const char* folder :
         {"Morpheus\\Db", "Morpheus\\My Shared Folder", "StreamCast\\Morpheus\\Downloads"})
        EXPECT_TRUE(Exists(InProgramFiles(folder))) << folder;
}

TEST_F(NetworkTraces, KazaaKeepsSharedMediaAndErasesTheDatFilesBesideIt) {
    PlantKeys(HKEY_CURRENT_USER,
              {"Software\\Kazaa\\KaZaA Media Desktop\\Recent File List|File1",
               "Software\\Kazaa\\KaZaA Media Desktop\\Settings|Skin",
               "Software\\Kazaa\\Search|term", "Software\\Kazaa\\Search\\Advanced|type",
               "Software\\Kazaa\\KaZaA Lite\\Recent File List|File1",
               "Software\\Kazaa\\KaZaA Lite\\Recent Search|term",
               "Software\\Kazaa\\LocalContent|Dir0"});
    for (const char* folder : {"KaZaA", "KaZaA Lite"})
        PlantFiles(InProgramFiles(folder),
                   {"Db\\data256.dbb", "Db\\cache\\x.dat", "My Shared Folder\\song.mp3",
                    "My Shared Folder\\a.dat", "My Shared Folder\\b.dat",
                    "My Shared Folder\\album\\c.dat", "Kazaa.exe", "settings.dat"});
    const auto registry = RegistryTree(HKEY_CURRENT_USER, "Software\\Kazaa");
    const auto desktop = FolderTree(InProgramFiles("KaZaA"));
    const auto lite = FolderTree(InProgramFiles("KaZaA Lite"));

    m_engine.DelKazaa();

    EXPECT_EQ(Removed(registry, RegistryTree(HKEY_CURRENT_USER, "Software\\Kazaa")),
              Under("Software\\Kazaa\\",
                    {"KaZaA Media Desktop\\Recent File List\\",
                     "KaZaA Media Desktop\\Recent File List|File1", "Search\\", "Search|term",
                     "Search\\Advanced\\", "Search\\Advanced|type",
                     "KaZaA Lite\\Recent File List\\", "KaZaA Lite\\Recent File List|File1"}));
    const std::set<std::string> gone = {"Db\\data256.dbb", "Db\\cache\\", "Db\\cache\\x.dat",
                                        "My Shared Folder\\a.dat", "My Shared Folder\\b.dat"};
    EXPECT_EQ(Removed(desktop, FolderTree(InProgramFiles("KaZaA"))), gone);
    EXPECT_EQ(Removed(lite, FolderTree(InProgramFiles("KaZaA Lite"))), gone);
}

TEST_F(NetworkTraces, BearShareEmptiesOnlyItsDatabaseFolder) {
    PlantFiles(InProgramFiles("BearShare"),
               {"db\\hosts.db", "db\\old\\hosts.bak", "Downloads\\song.mp3", "BearShare.exe"});
    const auto files = FolderTree(InProgramFiles("BearShare"));
    m_engine.DelBearShare();
    EXPECT_EQ(Removed(files, FolderTree(InProgramFiles("BearShare"))),
              Under("db\\", {"hosts.db", "old\\", "old\\hosts.bak"}));
}

TEST_F(NetworkTraces, DreamWeaverRemovesTheTempFileListOnlyForVersion4) {
    const std::string vendor = "Software\\Macromedia\\";
    PlantKeys(HKEY_CURRENT_USER, {vendor + "Dreamweaver 4\\Recent File List|File1",
                                  vendor + "Dreamweaver 4\\Temp File List|File1",
                                  vendor + "Dreamweaver 4\\Settings|Layout",
                                  vendor + "Dreamweaver 6\\Recent File List|File1",
                                  vendor + "Dreamweaver 6\\Temp File List|File1",
                                  vendor + "Dreamweaver MX 2004\\Recent File List|File1",
                                  vendor + "Dreamweaver MX 2004\\Temp File List|File1",
                                  vendor + "Dreamweaver MX\\Recent File List|File1",
                                  vendor + "Flash 5\\Recent File List|File1"});
    const auto registry = RegistryTree(HKEY_CURRENT_USER, "Software\\Macromedia");
    m_engine.DelDreamWeaver();
    EXPECT_EQ(
        Removed(registry, RegistryTree(HKEY_CURRENT_USER, "Software\\Macromedia")),
        Under(vendor, {"Dreamweaver 4\\Recent File List\\", "Dreamweaver 4\\Recent File List|File1",
                       "Dreamweaver 4\\Temp File List\\", "Dreamweaver 4\\Temp File List|File1",
                       "Dreamweaver 6\\Recent File List\\", "Dreamweaver 6\\Recent File List|File1",
                       "Dreamweaver MX 2004\\Recent File List\\",
                       "Dreamweaver MX 2004\\Recent File List|File1"}));
}

TEST_F(NetworkTraces, AOLMessengerErasesDatAndTmpFilesDirectlyInItsFolder) {
    PlantFiles(InProgramFiles("AIM"), {"buddies.dat", "away.tmp", "aim.exe", "aim.ini",
                                       "users\\me\\log.dat", "users\\me\\x.tmp"});
    const auto files = FolderTree(InProgramFiles("AIM"));
    m_engine.DelAOLMessenger();
    EXPECT_EQ(Removed(files, FolderTree(InProgramFiles("AIM"))),
              (std::set<std::string>{"buddies.dat", "away.tmp"}));
}

TEST_F(NetworkTraces, AOLWorksBelowTheRootOfTheWindowsDrive) {
    ASSERT_EQ(ShellFolder(CSIDL_WINDOWS).substr(0, 3), "C:\\");
    for (const char* version : {"6.0", "7.0"})
        PlantFiles(std::string("C:\\America Online ") + version,
                   {"AOLTEMP\\page.htm", "AOLTEMP\\art\\logo.art", "download\\session.log",
                    "download\\setup.exe", "download\\old\\older.log", "aol.exe", "install.log"});
    PlantFiles("C:\\America Online 5.0", {"AOLTEMP\\page.htm"});
    const auto six = FolderTree("C:\\America Online 6.0");
    const auto seven = FolderTree("C:\\America Online 7.0");
    const auto five = FolderTree("C:\\America Online 5.0");

    m_engine.DelAOL();

    const std::set<std::string> gone = {"AOLTEMP\\page.htm", "AOLTEMP\\art\\",
                                        "AOLTEMP\\art\\logo.art", "download\\session.log"};
    EXPECT_EQ(Removed(six, FolderTree("C:\\America Online 6.0")), gone);
    EXPECT_EQ(Removed(seven, FolderTree("C:\\America Online 7.0")), gone);
    EXPECT_EQ(FolderTree("C:\\America Online 5.0"), five);
}

TEST_F(NetworkTraces, AWindowsFolderOnAnotherDriveTakesAOLAndNapsterThere) {
    ScratchFolder otherDrive("network-drive");
    MappedDrive drive(otherDrive.Path());
    ASSERT_NE(drive.Root(), "") << "no drive letter could be mapped";
    ShellFolderOverride windows({{CSIDL_WINDOWS, drive.Root() + "\\WINNT"}});
    ASSERT_TRUE(windows.Active());
    const std::initializer_list<std::string> traces = {"America Online 6.0\\AOLTEMP\\page.htm",
                                                       "America Online 6.0\\download\\session.log",
                                                       "America Online 7.0\\AOLTEMP\\page.htm",
                                                       "America Online 7.0\\download\\session.log",
                                                       "shared.dat",
                                                       "notify.dat",
                                                       "channels.dat"};
    PlantFiles(otherDrive.Path(), traces);
    PlantFiles(otherDrive.Path(), {"WINNT\\shared.dat", "other.dat"});
    PlantFiles("C:", traces);
    PlantFiles(kProgramFiles, {"shared.dat"});
    const auto other = FolderTree(drive.Root());
    const auto c = FolderTree("C:\\America Online 6.0");
    const auto cRoot = FolderFiles("C:");

    m_engine.DelAOL();
    m_engine.DelNapster();

    EXPECT_EQ(Removed(other, FolderTree(otherDrive.Path())), std::set<std::string>(traces));
    EXPECT_EQ(FolderTree("C:\\America Online 6.0"), c);
    EXPECT_EQ(FolderFiles("C:"), cRoot);
    EXPECT_FALSE(Exists(InProgramFiles("shared.dat"))) << "Program Files stays where it is";
}

TEST_F(NetworkTraces, DAPRemovesItsHistoryAndFileListsInBothHives) {
    PlantKeys(HKEY_CURRENT_USER,
              {"Software\\SpeedBit\\Download Accelerator\\HistoryCombo|URLHistory",
               "Software\\SpeedBit\\Download Accelerator\\HistoryCombo|Size",
               "Software\\SpeedBit\\DownloadAccelerator\\HistoryCombo|URL1",
               "Software\\SpeedBit\\DownloadAccelerator\\Options|Connections"});
    PlantKeys(HKEY_LOCAL_MACHINE,
              {"SOFTWARE\\SpeedBit\\Download Accelerator\\FileList|1",
               "SOFTWARE\\SpeedBit\\Download Accelerator\\FileList\\Done|2",
               "Software\\SpeedBit\\Download Accelerator\\ADS\\SecondMedia|Banner",
               "Software\\SpeedBit\\Download Accelerator\\ADS\\FirstMedia|Banner",
               "Software\\SpeedBit\\Download Accelerator|Version"});
    PlantFiles(InProgramFiles("DAP"), {"Ads\\banner.gif", "Ads\\rotation\\1.gif", "Temp\\file.part",
                                       "Downloads\\setup.exe", "dap.exe"});
    const auto user = RegistryTree(HKEY_CURRENT_USER, "Software\\SpeedBit");
    const auto machine = RegistryTree(HKEY_LOCAL_MACHINE, "Software\\SpeedBit");
    const auto files = FolderTree(InProgramFiles("DAP"));

    m_engine.DelDAP();

    EXPECT_EQ(
        Removed(user, RegistryTree(HKEY_CURRENT_USER, "Software\\SpeedBit")),
        (std::set<std::string>{"Software\\SpeedBit\\Download Accelerator\\HistoryCombo|URLHistory",
                               "Software\\SpeedBit\\DownloadAccelerator\\HistoryCombo\\",
                               "Software\\SpeedBit\\DownloadAccelerator\\HistoryCombo|URL1"}));
    EXPECT_EQ(Removed(machine, RegistryTree(HKEY_LOCAL_MACHINE, "Software\\SpeedBit")),
              Under("Software\\SpeedBit\\Download Accelerator\\",
                    {"FileList\\", "FileList|1", "FileList\\Done\\", "FileList\\Done|2",
                     "ADS\\SecondMedia\\", "ADS\\SecondMedia|Banner"}));
    EXPECT_EQ(Removed(files, FolderTree(InProgramFiles("DAP"))),
              (std::set<std::string>{"Ads\\banner.gif", "Ads\\rotation\\", "Ads\\rotation\\1.gif",
                                     "Temp\\file.part"}));
}

TEST_F(NetworkTraces, WINAMPErasesPlayListsAndBlanksTheCurrentFolderKey) {
    PlantFiles(InProgramFiles("winamp"),
               {"mix.m3u", "party.m3u", "winamp.exe", "Playlists\\saved.m3u"});
    const std::string ini = InProgramFiles("winamp\\winamp.ini");
    WriteText(ini, "[winamp]\r\nvolume=200\r\ncwd=C:\\Music\\Private\r\nskin=Base\r\n"
                   "[in_mp3]\r\ncwd=C:\\Elsewhere\r\n");
    const auto files = FolderTree(InProgramFiles("winamp"));

    m_engine.DelWINAMP();

    EXPECT_EQ(Removed(files, FolderTree(InProgramFiles("winamp"))),
              (std::set<std::string>{"mix.m3u", "party.m3u"}));
    EXPECT_EQ(ReadText(ini), "[winamp]\r\nvolume=200\r\ncwd=\r\nskin=Base\r\n"
                             "[in_mp3]\r\ncwd=C:\\Elsewhere\r\n");
}

TEST_F(NetworkTraces, NetMeetingRemovesItsCallListCallLogAndReceivedFiles) {
    PlantKeys(HKEY_LOCAL_MACHINE, {"Software\\Microsoft\\Conferencing\\UI\\CallMRU|Name0",
                                   "Software\\Microsoft\\Conferencing\\UI|Position",
                                   "Software\\Microsoft\\Conferencing\\Audio|Level"});
    PlantFiles(InProgramFiles("NetMeeting"),
               {"CallLog.dat", "SpeedDial.dat", "conf.exe", "Received Files\\photo.jpg",
                "Received Files\\docs\\plan.doc", "Backup\\CallLog.dat"});
    const auto machine = RegistryTree(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Conferencing");
    const auto files = FolderTree(InProgramFiles("NetMeeting"));

    m_engine.DelNetMeeting();

    EXPECT_EQ(
        Removed(machine, RegistryTree(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Conferencing")),
        Under("Software\\Microsoft\\Conferencing\\UI\\CallMRU", {"\\", "|Name0"}));
    EXPECT_EQ(Removed(files, FolderTree(InProgramFiles("NetMeeting"))),
              (std::set<std::string>{"CallLog.dat", "Received Files\\photo.jpg",
                                     "Received Files\\docs\\", "Received Files\\docs\\plan.doc"}));
}

TEST_F(NetworkTraces, PaintShopProListsAreRemovedFromTheMachineHiveOnly) {
    PlantKeys(HKEY_LOCAL_MACHINE, {"Software\\Jasc\\Paint Shop Pro 7\\Recent File List|File1",
                                   "Software\\Jasc\\Paint Shop Pro 7\\Settings|Grid",
                                   "Software\\Jasc\\Paint Shop Pro 8\\Recent File List|File1",
                                   "Software\\Jasc\\Paint Shop Pro 9\\Recent File List|File1"});
    PlantKeys(HKEY_CURRENT_USER, {"Software\\Jasc\\Paint Shop Pro 7\\Recent File List|File1",
                                  "Software\\Jasc\\Paint Shop Pro 8\\Recent File List|File1"});
    const auto machine = RegistryTree(HKEY_LOCAL_MACHINE, "Software\\Jasc");
    const auto user = RegistryTree(HKEY_CURRENT_USER, "Software\\Jasc");

    m_engine.DelPSP();

    EXPECT_EQ(Removed(machine, RegistryTree(HKEY_LOCAL_MACHINE, "Software\\Jasc")),
              Under("Software\\Jasc\\Paint Shop Pro ",
                    {"7\\Recent File List\\", "7\\Recent File List|File1", "8\\Recent File List\\",
                     "8\\Recent File List|File1"}));
    EXPECT_EQ(RegistryTree(HKEY_CURRENT_USER, "Software\\Jasc"), user);
}

TEST_F(NetworkTraces, YahooErasesItsLogImageCacheAndProfiles) {
    PlantFiles(InProgramFiles("Yahoo!"),
               {"Messenger\\ypager.log", "Messenger\\ypager.exe", "Messenger\\IMVCache\\smile.gif",
                "Messenger\\Profiles\\me\\Archive\\chat.dat", "Messenger\\Skins\\ypager.log"});
    const auto files = FolderTree(InProgramFiles("Yahoo!"));
    m_engine.DelYahoo();
    EXPECT_EQ(Removed(files, FolderTree(InProgramFiles("Yahoo!"))),
              Under("Messenger\\", {"ypager.log", "IMVCache\\smile.gif", "Profiles\\me\\",
                                    "Profiles\\me\\Archive\\", "Profiles\\me\\Archive\\chat.dat"}));
}

TEST_F(NetworkTraces, NapsterErasesItsFilesInTheDriveRootAndInProgramFilesOnly) {
    ScratchFolder nested("napster");
    for (const std::string& folder : {std::string("C:"), kProgramFiles, nested.Path()})
        PlantFiles(folder, {"shared.dat", "notify.dat", "channels.dat"});
    PlantFiles(InProgramFiles("Napster"), {"shared.dat", "napster.exe"});
    const auto root = FolderFiles("C:");
    const auto programs = FolderTree(kProgramFiles);
    const auto subfolder = FolderTree(nested.Path());

    m_engine.DelNapster();

    const std::set<std::string> gone = {"shared.dat", "notify.dat", "channels.dat"};
    EXPECT_EQ(Removed(root, FolderFiles("C:")), gone);
    EXPECT_EQ(Removed(programs, FolderTree(kProgramFiles)), gone);
    EXPECT_EQ(FolderTree(nested.Path()), subfolder);
}

TEST_F(NetworkTraces, TrillianEmptiesCacheAndLogsOfTheDefaultUserParentFirst) {
    PlantFiles(InProgramFiles("Trillian"),
               {"users\\default\\cache\\avatar.bmp", "users\\default\\cache\\msn\\buddy.bmp",
                "users\\default\\logs\\ICQ\\friend.log", "users\\default\\logs\\msn\\chat.log",
                "users\\default\\trillian.ini", "users\\alice\\cache\\avatar.bmp",
                "users\\alice\\logs\\msn\\chat.log", "trillian.exe"});
    const auto files = FolderTree(InProgramFiles("Trillian"));

    m_engine.DelTrillian();

    EXPECT_EQ(Removed(files, FolderTree(InProgramFiles("Trillian"))),
              Under("users\\default\\",
                    {"cache\\avatar.bmp", "cache\\msn\\", "cache\\msn\\buddy.bmp", "logs\\ICQ\\",
                     "logs\\ICQ\\friend.log", "logs\\msn\\", "logs\\msn\\chat.log"}));
    EXPECT_TRUE(Exists(InProgramFiles("Trillian\\users\\default\\cache")));
    EXPECT_TRUE(Exists(InProgramFiles("Trillian\\users\\default\\logs")));
}

TEST_F(NetworkTraces, DivXRemovesItsRecentFilesAndDatabases) {
    const std::string key = "Software\\DivXNetworks\\DivX Player";
    PlantKeys(HKEY_CURRENT_USER, {key + "|file", key + "|file1", key + "|file2", key + "|file3",
                                  key + "|file4", key + "|file5", key + "|Volume"});
    PlantFiles(InProgramFiles("DivX"),
               {"library.dbf", "history.dbf", "DivX Player.exe", "Codecs\\codec.dbf"});
    const auto registry = RegistryTree(HKEY_CURRENT_USER, "Software\\DivXNetworks");
    const auto files = FolderTree(InProgramFiles("DivX"));

    m_engine.DelDivX();

    EXPECT_EQ(Removed(registry, RegistryTree(HKEY_CURRENT_USER, "Software\\DivXNetworks")),
              Under(key + "|", {"file", "file1", "file2", "file3", "file4"}));
    EXPECT_EQ(Removed(files, FolderTree(InProgramFiles("DivX"))),
              (std::set<std::string>{"library.dbf", "history.dbf"}));
}

TEST_F(NetworkTraces, MediaJukeBoxErasesItsLibraryFilesOnly) {
    PlantFiles(InProgramFiles("J River"),
               {"Media JukeBox\\Data\\Library.jmd", "Media JukeBox\\Data\\Playlists.jmd",
                "Media JukeBox\\Data\\Settings.ini", "Media JukeBox\\Data\\Backup\\Library.jmd",
                "Media JukeBox\\Library.jmd"});
    const auto files = FolderTree(InProgramFiles("J River"));
    m_engine.DelMediaJukeBox();
    EXPECT_EQ(Removed(files, FolderTree(InProgramFiles("J River"))),
              Under("Media JukeBox\\Data\\", {"Library.jmd", "Playlists.jmd"}));
}

TEST_F(NetworkTraces, OperaErasesItsProfileFilesWholeAndEmptiesItsCaches) {
    PlantFiles(
        kOpera,
        {"Opera\\profile\\sessions\\autosave.win", "Opera\\profile\\sessions\\work.win",
         "Opera\\profile\\cache4\\opr00001.htm", "Opera\\profile\\cache4\\sub\\opr2.gif",
         "Opera\\profile\\images\\thumb.png", "Opera\\profile\\cookies4.dat",
         "Opera\\profile\\download.dat", "Opera\\profile\\global.dat", "Opera\\profile\\jswarn.dir",
         "Opera\\profile\\opera6.adr", "Opera\\profile\\opera6.ini", "Opera\\profile\\opera.dir",
         "Opera\\profile\\urlwarn.dir", "Opera\\profile\\vlink4.dat", "Opera\\profile\\search.ini",
         "Opera\\profile\\mail\\inbox.mbs", "Opera\\profile\\mail\\cookies4.dat"});
    const auto files = FolderTree(kOpera);
    m_engine.DelOpera();
    EXPECT_EQ(Removed(files, FolderTree(kOpera)),
              Under("Opera\\profile\\",
                    {"sessions\\autosave.win", "cache4\\opr00001.htm", "cache4\\sub\\",
                     "cache4\\sub\\opr2.gif", "images\\thumb.png", "cookies4.dat", "download.dat",
                     "global.dat", "jswarn.dir", "opera6.adr", "opera6.ini", "opera.dir",
                     "urlwarn.dir", "vlink4.dat"}));
}

TEST_F(NetworkTraces, AnUnknownBaseFolderSkipsTheLaterStepsButNotTheRegistrySteps) {
    PlantKeys(HKEY_CURRENT_USER,
              {"SOFTWARE\\iMesh\\Client\\Local|SearchEditHistory", "Software\\Kazaa\\Search|term",
               "Software\\SpeedBit\\DownloadAccelerator\\HistoryCombo|URL1",
               "Software\\DivXNetworks\\DivX Player|file"});
    PlantKeys(HKEY_LOCAL_MACHINE, {"Software\\Morpheus\\SearchRecent|1",
                                   "Software\\Microsoft\\Conferencing\\UI\\CallMRU|Name0"});
    PlantFiles(InProgramFiles("iMesh"), {"Client\\DB\\index.dbb"});
    PlantFiles(InProgramFiles("KaZaA"), {"Db\\data.dbb"});
    PlantFiles(InProgramFiles("winamp"), {"mix.m3u"});
    WriteText(InProgramFiles("winamp\\winamp.ini"), "[winamp]\r\ncwd=C:\\Music\r\n");
    PlantFiles(kProgramFiles, {"shared.dat"});
    PlantFiles(kOpera, {"Opera\\profile\\cookies4.dat"});
    PlantFiles("C:", {"shared.dat", "America Online 6.0\\AOLTEMP\\page.htm"});
    const auto before = Everything();
    {
        ShellFolderOverride unknown(
            {{CSIDL_PROGRAM_FILES, ""}, {CSIDL_APPDATA, ""}, {CSIDL_WINDOWS, ""}});
        ASSERT_TRUE(unknown.Active());
        for (auto member :
             {&CVxMain::DeliMesh, &CVxMain::DelMorpheus, &CVxMain::DelKazaa, &CVxMain::DelDAP,
              &CVxMain::DelNetMeeting, &CVxMain::DelDivX, &CVxMain::DelWINAMP, &CVxMain::DelNapster,
              &CVxMain::DelOpera, &CVxMain::DelAOL})
            (m_engine.*member)();
    }
    auto after = Everything();
    EXPECT_EQ(Removed(before.at("HKCU"), after.at("HKCU")),
              (std::set<std::string>{"Software\\iMesh\\Client\\Local|SearchEditHistory",
                                     "Software\\Kazaa\\Search\\", "Software\\Kazaa\\Search|term",
                                     "Software\\SpeedBit\\DownloadAccelerator\\HistoryCombo\\",
                                     "Software\\SpeedBit\\DownloadAccelerator\\HistoryCombo|URL1",
                                     "Software\\DivXNetworks\\DivX Player|file"}));
    EXPECT_EQ(Removed(before.at("HKLM\\Software\\Morpheus"), after.at("HKLM\\Software\\Morpheus")),
              Under("Software\\Morpheus\\SearchRecent", {"\\", "|1"}));
    EXPECT_EQ(Removed(before.at("HKLM\\Software\\Microsoft\\Conferencing"),
                      after.at("HKLM\\Software\\Microsoft\\Conferencing")),
              Under("Software\\Microsoft\\Conferencing\\UI\\CallMRU", {"\\", "|Name0"}));
    for (const char* files : {"Program Files", "C:", "C:\\America Online 6.0", "Opera"})
        EXPECT_EQ(after.at(files), before.at(files)) << files;

    {
        ShellFolderOverride noWindows({{CSIDL_WINDOWS, ""}});
        m_engine.DelNapster();
    }
    EXPECT_TRUE(Exists(InProgramFiles("shared.dat")))
        << "without the Windows folder nothing at all goes";
    ShellFolderOverride noProgramFiles({{CSIDL_PROGRAM_FILES, ""}});
    m_engine.DelNapster();
    EXPECT_FALSE(Exists("C:\\shared.dat")) << "the drive root comes before Program Files";
    EXPECT_TRUE(Exists(InProgramFiles("shared.dat")));
}

TEST_F(NetworkTraces, StepsWhosePathWouldNotFitAreSkippedAndTheOthersStillRun) {
    ScratchFolder scratch("network-long");
    std::string base = scratch.Path();
    while (base.size() < 240) {
        base += "\\" + std::string(std::min<size_t>(239 - base.size(), 60), 'p');
        MakeFolder(base);
    }
    PlantFiles(base, {"KaZaA\\Db\\x", "KaZaA Lite\\Db\\x", "KaZaA\\My Shared Folder\\"});
    const auto files = FolderTree(base);
    ASSERT_EQ(files.count("KaZaA Lite\\Db\\x"), 1u);

    ShellFolderOverride longProgramFiles({{CSIDL_PROGRAM_FILES, base}});
    ASSERT_TRUE(longProgramFiles.Active());
    m_engine.DelKazaa();

    EXPECT_EQ(Removed(files, FolderTree(base)),
              (std::set<std::string>{"KaZaA\\Db\\x", "KaZaA Lite\\Db\\x"}));
}
