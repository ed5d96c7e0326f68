// Windows' own traces: registry lists, temporary and recent folders, recycle bin, clipboard.
#include "Handle.h"
#include "TraceArea.h"
#include "VxMain.h"
#include "common/Clipboard.h"
#include "common/RegistryFixture.h"
#include "common/Scratch.h"
#include "common/ShellFolder.h"

#include <gtest/gtest.h>

#include <shellapi.h>
#include <shlobj.h>

namespace {

const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";

// Sets an environment variable for the length of a test.
class EnvironmentGuard {
public:
    EnvironmentGuard(const char* name, const std::string& value) : m_name(name) {
        char old[32768];
        const DWORD length = GetEnvironmentVariableA(name, old, sizeof old);
        m_present = length > 0 && length < sizeof old;
        if (m_present)
            m_old = old;
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~EnvironmentGuard() { SetEnvironmentVariableA(m_name, m_present ? m_old.c_str() : nullptr); }

private:
    const char* m_name;
    bool m_present = false;
    std::string m_old;
};

BOOL CALLBACK CountVisibleWindowOfThisProcess(HWND window, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window))
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int VisibleWindowsOfThisProcess() {
    int count = 0;
    EnumWindows(CountVisibleWindowOfThisProcess, reinterpret_cast<LPARAM>(&count));
    return count;
}

class WindowsTraces : public TraceArea {
protected:
    void Clean() override {
        for (const char* key : {"\\RunMRU", "\\Doc Find Spec MRU", "\\RecentDocs", "\\StreamMRU",
                                "\\ComDlg32", "\\KeepMe"})
            DeleteKeyQuietly(kExplorer + key);
        DeleteKeyQuietly("Software\\Microsoft\\Search Assistant");
    }
};

} // namespace

TEST_F(WindowsTraces, RegistryListsGoAndTheirNeighboursStay) {
    SetString(kExplorer + "\\RunMRU", "a", "notepad\\1");
    SetString(kExplorer + "\\Doc Find Spec MRU", "a", "*.doc");
    SetString("Software\\Microsoft\\Search Assistant\\ACMru\\5603", "000", "secret plans");
    SetString("Software\\Microsoft\\Search Assistant\\Other", "keep", "keep");
    SetString(kExplorer + "\\RecentDocs\\.txt", "0", "notes.txt");
    SetString(kExplorer + "\\StreamMRU", "0", "stream");
    SetString(kExplorer + "\\ComDlg32\\OpenSaveMRU\\*", "a", "C:\\file.txt");
    SetString(kExplorer + "\\ComDlg32\\LastVisitedMRU", "a", "notepad.exe");
    SetString(kExplorer + "\\ComDlg32\\CIDSizeMRU", "a", "keep");
    SetString(kExplorer + "\\KeepMe", "a", "keep");

    m_engine.DelSysRunHistory();
    m_engine.DelSysSearchHistory();
    m_engine.DelSysList();

    for (const char* gone : {"\\RunMRU", "\\Doc Find Spec MRU", "\\RecentDocs", "\\StreamMRU",
                             "\\ComDlg32\\OpenSaveMRU", "\\ComDlg32\\LastVisitedMRU"})
        EXPECT_FALSE(KeyExists(kExplorer + gone)) << gone;
    EXPECT_FALSE(KeyExists("Software\\Microsoft\\Search Assistant\\ACMru"));
    EXPECT_TRUE(KeyExists("Software\\Microsoft\\Search Assistant\\Other"));
    EXPECT_TRUE(KeyExists(kExplorer + "\\ComDlg32\\CIDSizeMRU"));
    EXPECT_TRUE(KeyExists(kExplorer + "\\KeepMe"));
}

TEST_F(WindowsTraces, MissingListKeysAreSkippedAndTheOtherKeyIsStillCleaned) {
    SetString(kExplorer + "\\ComDlg32\\OpenSaveMRU", "a", "C:\\file.txt");
    m_engine.DelSysSearchHistory();
    m_engine.DelSysRunHistory();
    m_engine.DelSysList();
    EXPECT_FALSE(KeyExists(kExplorer + "\\ComDlg32\\OpenSaveMRU"));
}

TEST_F(WindowsTraces, TemporaryFoldersAreErasedExceptFilesInUse) {
    const std::string temp = TempFolder();
    ASSERT_EQ(temp.compare(0, 3, "C:\\"), 0) << "the temporary folder is inside the prefix";
    const std::string windowsTemp = WindowsFolder("\\Temp");
    WriteText(temp + "\\vx-old.tmp", "old");
    MakeFolder(temp + "\\vx-setup");
    WriteText(temp + "\\vx-setup\\unpacked.dll", "setup");
    WriteText(temp + "\\vx-inuse.tmp", "in use");
    WriteText(windowsTemp + "\\vx-win.tmp", "windows");
    FileHandle inUse(CreateFileA((temp + "\\vx-inuse.tmp").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                 nullptr, OPEN_EXISTING, 0, nullptr));

    m_engine.DelSysTmp();
    inUse.Reset();

    EXPECT_FALSE(Exists(temp + "\\vx-old.tmp"));
    EXPECT_FALSE(Exists(temp + "\\vx-setup"));
    EXPECT_EQ(ReadText(temp + "\\vx-inuse.tmp"), "in use");
    EXPECT_FALSE(Exists(windowsTemp + "\\vx-win.tmp"));
    EXPECT_TRUE(Exists(temp));
    EXPECT_TRUE(Exists(windowsTemp));
    DeleteFileA((temp + "\\vx-inuse.tmp").c_str());
}

TEST_F(WindowsTraces, TheWindowsTempFolderIsErasedWhenTheUserOneIsUnknown) {
    const std::string windowsTemp = WindowsFolder("\\Temp");
    WriteText(windowsTemp + "\\vx-win.tmp", "windows");
    const std::string tooLong = "C:\\" + std::string(300, 't');
    EnvironmentGuard tmp("TMP", tooLong), temp("TEMP", tooLong);
    m_engine.DelSysTmp();
    EXPECT_FALSE(Exists(windowsTemp + "\\vx-win.tmp"));
}

TEST_F(WindowsTraces, ATemporaryFolderThatIsTheWindowsFolderOrADriveRootIsLeftAlone) {
    const std::string windows = WindowsFolder("");
    WriteText(windows + "\\vx-keep.txt", "keep");
    WriteText("C:\\vx-keep.txt", "keep");
    for (const std::string& folder : {windows + "\\", std::string("C:\\")}) {
        EnvironmentGuard tmp("TMP", folder), temp("TEMP", folder);
        m_engine.DelSysTmp();
    }
    EXPECT_EQ(ReadText(windows + "\\vx-keep.txt"), "keep");
    EXPECT_EQ(ReadText("C:\\vx-keep.txt"), "keep");
    DeleteFileA((windows + "\\vx-keep.txt").c_str());
    DeleteFileA("C:\\vx-keep.txt");
}

TEST_F(WindowsTraces, RecentDocumentsThenOfficeRecentFilesAndNetworkShortcuts) {
    const std::string recent = ShellFolder(CSIDL_RECENT);
    const std::string officeRecent = AppData("\\Microsoft\\Office\\Recent");
    const std::string netHood = ShellFolder(CSIDL_NETHOOD);
    WriteText(recent + "\\notes.txt.lnk", "link");
    MakeFolders(officeRecent);
    WriteText(officeRecent + "\\report.doc.lnk", "link");
    WriteText(netHood + "\\server.lnk", "link");

    m_engine.DelSysRecent();
    m_engine.DelNetHood();

    EXPECT_EQ(Listing(recent), "");
    EXPECT_EQ(Listing(officeRecent), "");
    EXPECT_EQ(Listing(netHood), "");
    RemoveTree(AppData("\\Microsoft\\Office"));
}

TEST_F(WindowsTraces, TheRecycleBinIsEmptiedWithoutAWindow) {
    ScratchFolder folder("recycle");
    WriteText(folder / "thrown-away.txt", "in the bin");
    ASSERT_EQ(MoveToRecycleBin(folder / "thrown-away.txt"), 0);
    SHQUERYRBINFO bin = {sizeof bin, 0, 0};
    SHQueryRecycleBinA(nullptr, &bin);
    ASSERT_GT(bin.i64NumItems, 0);

    m_engine.DelSysRecycleBin();

    SHQueryRecycleBinA(nullptr, &bin);
    EXPECT_EQ(bin.i64NumItems, 0);
    EXPECT_EQ(VisibleWindowsOfThisProcess(), 0);
}

TEST_F(WindowsTraces, TheClipboardIsEmptied) {
    ASSERT_TRUE(PutTextOnClipboard("copied secret"));
    ASSERT_TRUE(IsClipboardFormatAvailable(CF_TEXT));

    m_engine.DelClipBoard();
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
}
