// A shred run's worker on a request built by hand: drives, entries and user-defined items reach
// the engine in order and the dialog ends up completed.
#include "Handle.h"
#include "MessageBoxAnswerer.h"
#include "ProgramSettings.h"
#include "ShredDlg.h"
#include "common/RegistryFixture.h"
#include "common/Scratch.h"
#include "common/SettingGuard.h"
#include "common/ValueGuard.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>

#include <atomic>
#include <functional>
#include <thread>

namespace {

std::string ControlText(HWND dialog, int id) {
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// Runs the dialog without a modal loop of its own until the worker has finished and the dialog
// shows `end`.
void RunToCompletion(CShredDlg& dialog, const std::string& end = "Shredding is completed.") {
    ASSERT_TRUE(dialog.Create());
    for (int i = 0; i < 3000; ++i) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        if (ControlText(dialog.m_hWnd, 1029) == end && !dialog.m_running)
            return;
        Sleep(10);
    }
    FAIL() << "the run did not complete: " << ControlText(dialog.m_hWnd, 1029);
}

// Serves the dialog's messages, as its modal loop would, until `done` holds or time runs out.
bool PumpUntil(HWND dialog, const std::function<bool()>& done, DWORD milliseconds) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < milliseconds;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            if (!IsDialogMessageA(dialog, &message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        if (done())
            return true;
        Sleep(5);
    }
    return done();
}

// The path of the JSON form of the report written last in the user's folder of reports, or "".
std::string NewestReport() {
    char appData[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
    const std::string folder = std::string(appData) + "\\Norvexa\\Reports";
    std::string newest;
    FILETIME latest = {};
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA((folder + "\\report-*.json").c_str(), &entry);
    for (BOOL found = search != INVALID_HANDLE_VALUE; found; found = FindNextFileA(search, &entry))
        if (CompareFileTime(&entry.ftLastWriteTime, &latest) >= 0) {
            latest = entry.ftLastWriteTime;
            newest = folder + "\\" + entry.cFileName;
        }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    return newest;
}

const char kPaintList[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List";
const char kRunHistory[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
const char kFindHistory[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Doc Find Spec MRU";

// Holds the process's loader lock for its lifetime: threads started meanwhile wait before their
// first instruction of their own.
class LoaderLock {
public:
    LoaderLock() {
        HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        m_lock = reinterpret_cast<Lock>(
            reinterpret_cast<void*>(GetProcAddress(ntdll, "LdrLockLoaderLock")));
        m_unlock = reinterpret_cast<Unlock>(
            reinterpret_cast<void*>(GetProcAddress(ntdll, "LdrUnlockLoaderLock")));
        ULONG disposition = 0;
        if (!m_lock || !m_unlock || m_lock(0, &disposition, &m_cookie) != 0)
            ADD_FAILURE() << "the loader lock could not be taken";
    }
    ~LoaderLock() {
        if (m_unlock)
            m_unlock(0, m_cookie);
    }
    LoaderLock(const LoaderLock&) = delete;
    LoaderLock& operator=(const LoaderLock&) = delete;

private:
    using Lock = LONG(WINAPI*)(ULONG, ULONG*, ULONG_PTR*);
    using Unlock = LONG(WINAPI*)(ULONG, ULONG_PTR);
    Lock m_lock = nullptr;
    Unlock m_unlock = nullptr;
    ULONG_PTR m_cookie = 0;
};

class ShredCancel : public ::testing::Test {
protected:
    static void SetUpTestSuite() { UseProgramSettings(); }
    void TearDown() override {
        for (const char* key : {kPaintList, kRunHistory, kFindHistory})
            DeleteKeyQuietly(key);
        if (m_dialog.m_hWnd)
            DestroyWindow(m_dialog.m_hWnd);
    }
    // Shown as its modal loop would show it, so that its end (hiding it) can be seen.
    bool Open() { return m_dialog.Create() && !m_dialog.ShowWindow(SW_SHOW); }
    bool Hidden() const { return !IsWindowVisible(m_dialog.m_hWnd); }
    // A history whose removal, registry work only, takes a good part of a second.
    static void MakeLongRunHistory() {
        for (int i = 0; i < 3000; ++i)
            MakeKey(std::string(kRunHistory) + "\\entry" + std::to_string(i) + "\\inner");
    }

    SettingGuard m_setting;
    CShredDlg m_dialog;
};

} // namespace

// The run counts as running before its worker exists: a Cancel right away stops it whole. The
// worker is held at its start by the loader lock, which every new thread takes before it runs.
TEST_F(ShredCancel, CancelBeforeTheWorkerHasStartedStopsTheRunBeforeItsFirstEntry) {
    SetString(kPaintList, "File1", "C:\\photo.bmp");
    m_dialog.m_request.selection = SelectionMask(1) << 29;
    MessageBoxAnswerer answer("nv");
    {
        LoaderLock holdNewThreads;
        ASSERT_TRUE(Open());
        m_dialog.SendMessage(WM_COMMAND, IDCANCEL);
    }
    EXPECT_EQ(answer.Text(), "Canceled by user!");
    EXPECT_TRUE(PumpUntil(
        m_dialog.m_hWnd, [&] { return Hidden(); }, 5000));
    EXPECT_FALSE(m_dialog.m_running);
    EXPECT_TRUE(KeyExists(kPaintList)) << "no entry starts after Cancel";
}

// An engine member that does not look at Cancel runs to its end; meanwhile the dialog goes on
// painting, and it closes as soon as the member returns. The next entry never starts.
TEST_F(ShredCancel, CancelDuringARegistryMemberKeepsPaintingAndEndsWhenTheMemberReturns) {
    MakeLongRunHistory();
    SetString(kFindHistory, "a", "secret*.doc");
    m_dialog.m_request.selection = (SelectionMask(1) << 3) | (SelectionMask(1) << 4);
    ASSERT_TRUE(Open());
    ASSERT_TRUE(PumpUntil(
        m_dialog.m_hWnd,
        [&] { return ControlText(m_dialog.m_hWnd, 1029).find("Run") != std::string::npos; }, 5000));
    EXPECT_TRUE(m_dialog.m_animation.IsPlaying())
        << "the animation plays while the run is under way";

    std::atomic<bool> paintedWhileWaiting{false};
    std::atomic<bool> watching{true};
    std::thread watcher([&] {
        while (watching && !paintedWhileWaiting) {
            if (!IsWindowVisible(FindWindowA("#32770", "nv")) && KeyExists(kRunHistory)) {
                InvalidateRect(m_dialog.m_hWnd, nullptr, TRUE);
                Sleep(100);
                const BOOL pending = GetUpdateRect(m_dialog.m_hWnd, nullptr, FALSE);
                if (KeyExists(kRunHistory) && !pending)
                    paintedWhileWaiting = true;
            }
            Sleep(10);
        }
    });
    MessageBoxAnswerer answer("nv");
    m_dialog.PostMessage(WM_COMMAND, IDCANCEL);
    DWORD memberReturned = 0;
    const bool closed = PumpUntil(
        m_dialog.m_hWnd,
        [&] {
            if (!memberReturned && !KeyExists(kRunHistory))
                memberReturned = GetTickCount();
            return Hidden();
        },
        60000);
    watching = false;
    watcher.join();
    ASSERT_TRUE(closed);
    EXPECT_EQ(answer.Text(), "Canceled by user!");
    EXPECT_TRUE(paintedWhileWaiting) << "the dialog painted while the member was still running";
    EXPECT_LT(GetTickCount() - memberReturned, 1000u) << "closed right after the member returned";
    EXPECT_TRUE(KeyExists(kFindHistory)) << "no entry starts after Cancel";
    EXPECT_FALSE(m_dialog.m_animation.m_drawThread) << "its thread ended with the run";
}

// The only button cancels the run: Enter must not press it.
TEST_F(ShredCancel, EnterDuringTheRunDoesNotCancelIt) {
    MakeLongRunHistory();
    m_dialog.m_request.selection = SelectionMask(1) << 3;
    MessageBoxAnswerer answer("nv", 3000);
    ASSERT_TRUE(Open());
    const HWND button = GetDlgItem(m_dialog.m_hWnd, IDCANCEL);
    SetFocus(button);
    PostMessageA(button, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PostMessageA(button, WM_KEYUP, VK_RETURN, 0xC01C0001);
    EXPECT_TRUE(PumpUntil(
        m_dialog.m_hWnd,
        [&] { return ControlText(m_dialog.m_hWnd, 1029) == "Shredding is completed."; }, 60000));
    EXPECT_EQ(answer.Text(), "") << "no cancel message";
    EXPECT_FALSE(Hidden());
    EXPECT_FALSE(KeyExists(kRunHistory));
}

// A drive whose free space could not be written (here one that is not there) is what the run
// could not do, and the end line says so.
TEST(ShredRun, UserItemsAreShreddedPatternByPatternAndAnUnwrittenDriveCounts) {
    UseProgramSettings();
    SettingGuard setting;
    SettingGuard::WriteDword(0x90);
    ScratchFolder folder("run");
    WriteText(folder / "a.tmp", "a");
    WriteText(folder / "b.log", "b");
    WriteText(folder / "c.txt", "c");
    MakeFolder(folder / "sub");
    WriteText(folder / "sub\\d.tmp", "d");
    SetString("Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List",
              "File1", "C:\\photo.bmp");

    CShredDlg dialog;
    dialog.m_request.userItems.AddTail((folder.Path() + "\\<*.tmp,*.log><SubFolder:No>").c_str());
    dialog.m_request.userItems.AddTail("no markers at all");
    dialog.m_request.driveRoots.AddTail("Q:\\");
    dialog.m_request.driveNames.AddTail("Nothing here (Q:)");
    dialog.m_request.selection = SelectionMask(1) << 29;
    RunToCompletion(dialog, "Done, but 1 item could not be erased.");

    EXPECT_EQ(Listing(folder.Path()), "c.txt sub");
    EXPECT_EQ(Listing(folder / "sub"), "d.tmp") << "subfolders were not asked for";
    EXPECT_FALSE(KeyExists(
        "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List"));
    EXPECT_EQ(ControlText(dialog.m_hWnd, IDCANCEL), "OK");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog.m_hWnd, 1031)));
    EXPECT_EQ(SendDlgItemMessageA(dialog.m_hWnd, IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0), 1000);
    EXPECT_EQ(ControlText(dialog.m_hWnd, IDC_PROGRESS_BYTES).rfind("2 bytes of 2 bytes (100%)", 0),
              0u)
        << "one pass over the two one-byte files";
    DestroyWindow(dialog.m_hWnd);
}

// A file another program holds open stays, and the run says so instead of being completed.
TEST(ShredRun, ARunThatCouldNotEraseAFileSaysSo) {
    UseProgramSettings();
    SettingGuard setting;
    SettingGuard::WriteDword(0x90);
    ScratchFolder folder("run-held");
    WriteText(folder / "held.tmp", "in use");
    WriteText(folder / "free.tmp", "free");
    const FileHandle held(CreateFileA((folder / "held.tmp").c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);

    CShredDlg dialog;
    dialog.m_request.userItems.AddTail((folder.Path() + "\\<*.tmp><SubFolder:No>").c_str());
    RunToCompletion(dialog, "Done, but 1 item could not be erased.");
    EXPECT_EQ(Listing(folder.Path()), "held.tmp");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog.m_hWnd, IDC_VIEW_REPORT)));
    const std::string report = ReadText(NewestReport());
    EXPECT_NE(report.find("run-held\\\\free.tmp"), std::string::npos) << report;
    EXPECT_NE(report.find("it is held open, by another program or by the system"),
              std::string::npos)
        << report;
    DestroyWindow(dialog.m_hWnd);
}

// Reports turned off write none and offer none; the dialog turns them on again, and refuses a
// number of reports to keep that is out of range.
TEST(ShredRun, TheDialogKeepsTheReportSettingsAndRefusesABadNumber) {
    UseProgramSettings();
    ValueGuard reports(HKEY_CURRENT_USER, kSettingsKey, kReportsValue);
    ValueGuard kept(HKEY_CURRENT_USER, kSettingsKey, kReportsKeptValue);
    const DWORD off = 0;
    WriteRegistryValue(HKEY_CURRENT_USER, kSettingsKey, kReportsValue, REG_DWORD, &off, sizeof off);
    const std::string newest = NewestReport();

    CShredDlg dialog;
    dialog.m_request.selection = SelectionMask(1) << 29;
    RunToCompletion(dialog);
    EXPECT_EQ(NewestReport(), newest);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog.m_hWnd, IDC_VIEW_REPORT)));
    EXPECT_EQ(IsDlgButtonChecked(dialog.m_hWnd, IDC_KEEP_REPORTS), UINT(BST_UNCHECKED));

    SendDlgItemMessageA(dialog.m_hWnd, IDC_KEEP_REPORTS, BM_CLICK, 0, 0);
    EXPECT_EQ(DwordValue(kSettingsKey, kReportsValue), 1u);
    SetDlgItemTextA(dialog.m_hWnd, IDC_REPORTS_KEPT, "0");
    SendMessageA(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_REPORTS_KEPT, EN_KILLFOCUS),
                 LPARAM(GetDlgItem(dialog.m_hWnd, IDC_REPORTS_KEPT)));
    EXPECT_EQ(ControlText(dialog.m_hWnd, IDC_REPORTS_KEPT), "50");
    EXPECT_EQ(ControlText(dialog.m_hWnd, IDC_REPORT_LINE), "Keep from 1 to 9999 reports.");
    SetDlgItemTextA(dialog.m_hWnd, IDC_REPORTS_KEPT, "7");
    SendMessageA(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_REPORTS_KEPT, EN_KILLFOCUS),
                 LPARAM(GetDlgItem(dialog.m_hWnd, IDC_REPORTS_KEPT)));
    EXPECT_EQ(DwordValue(kSettingsKey, kReportsKeptValue), 7u);
    DestroyWindow(dialog.m_hWnd);
}
