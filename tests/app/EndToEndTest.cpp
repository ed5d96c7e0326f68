// The program as a person uses it: started on its own, entries ticked in the tree, the method
// moved on the slider, the shred button pressed, the progress dialog answered. The test drives
// nv.exe from outside, through its windows.
#include "Handle.h"
#include "Product.h"
#include "StoredSettings.h"
#include "WineTray.h"
#include "common/RegistryFixture.h"
#include "common/Scratch.h"
#include "common/Screenshot.h"
#include "common/SettingGuard.h"
#include "common/ShellFolder.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>

#include <cstdlib>
#include <functional>
#include <string>

namespace {

const std::string kAppKey = kSettingsKey;
const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const std::string kApplets = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets";

bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds) {
    for (DWORD waited = 0; waited < milliseconds; waited += 50) {
        if (condition())
            return true;
        Sleep(50);
    }
    return condition();
}

std::string Text(HWND window) {
    char text[512] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, LPARAM(text), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    return text;
}

class Program {
public:
    explicit Program(const std::string& arguments = "") {
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        std::string command = std::string(self);
        command = "\"" + command.substr(0, command.rfind('\\')) + "\\nv.exe\" " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started = {};
        if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &started))
            return;
        KernelHandle thread(started.hThread);
        m_process.Reset(started.hProcess);
    }
    ~Program() {
        if (m_process && WaitForSingleObject(m_process.Get(), 10000) != WAIT_OBJECT_0)
            TerminateProcess(m_process.Get(), 1);
    }
    bool Ended(DWORD milliseconds) const {
        return WaitForSingleObject(m_process.Get(), milliseconds) == WAIT_OBJECT_0;
    }

private:
    KernelHandle m_process;
};

HWND FindDialog(const char* caption) {
    return FindWindowA("#32770", caption);
}

// The tree's nodes, found by their places: the fixed categories come after "Unused Space".
class Tree {
public:
    explicit Tree(HWND tree) : m_tree(tree) {}
    HTREEITEM Child(HTREEITEM parent, int index) const {
        HTREEITEM item = TreeView_GetChild(m_tree, parent);
        for (; item && index > 0; --index)
            item = TreeView_GetNextSibling(m_tree, item);
        return item;
    }
    HTREEITEM Entry(int category, int index) const {
        return Child(Child(TreeView_GetRoot(m_tree), 1 + category), index);
    }
    int State(HTREEITEM item) const {
        return int(TreeView_GetItemState(m_tree, item, TVIS_STATEIMAGEMASK) >> 12);
    }
    // Selects the node and presses the space bar on it.
    void Tick(HTREEITEM item) const {
        TreeView_SelectItem(m_tree, item);
        SendMessageA(m_tree, WM_KEYDOWN, VK_SPACE, 0x00390001);
        SendMessageA(m_tree, WM_KEYUP, VK_SPACE, 0xC0390001);
    }

private:
    HWND m_tree;
};

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* value : kSelectionValues)
            SetDword(kAppKey, value, 0);
        SettingGuard::Remove();
    }
    void TearDown() override {
        for (const char* key : {"\\RunMRU", "\\Doc Find Spec MRU"})
            DeleteKeyQuietly(kExplorer + key);
        DeleteKeyQuietly(kApplets + "\\Paint\\Recent File List");
        DeleteKeyQuietly(kApplets + "\\Wordpad\\Recent File List");
    }

    // The window is shown once its initialisation has ended.
    HWND OpenMainWindow() {
        HWND main = nullptr;
        WaitFor([&] { return (main = FindDialog(VX_PRODUCT_TITLE)) && IsWindowVisible(main); },
                30000);
        return main;
    }

    SettingGuard m_setting;
};

constexpr int kWindows = 0;
constexpr int kApplications = 3;

} // namespace

TEST_F(EndToEnd, TickedTracesAreShreddedAndTheRestStays) {
    SetString(kExplorer + "\\RunMRU", "a", "regedit\\1");
    SetString(kExplorer + "\\Doc Find Spec MRU", "a", "secret*.doc");
    SetString(kApplets + "\\Paint\\Recent File List", "File1", "C:\\photo.bmp");
    SetString(kApplets + "\\Wordpad\\Recent File List", "File1", "C:\\letter.doc");
    const std::string netHood = ShellFolder(CSIDL_NETHOOD) + "\\server.lnk";
    WriteText(netHood, "network place");

    Program program;
    const HWND main = OpenMainWindow();
    ASSERT_NE(main, nullptr) << "the main window did not appear";
    Tree tree(GetDlgItem(main, 1019));
    const HTREEITEM runHistory = tree.Entry(kWindows, 3);
    const HTREEITEM netHoodEntry = tree.Entry(kWindows, 4);
    const HTREEITEM paint = tree.Entry(kApplications, 20);
    ASSERT_EQ(tree.State(runHistory), 1) << "nothing is checked after Data1..Data4 of 0";
    for (HTREEITEM item : {runHistory, netHoodEntry, paint})
        tree.Tick(item);
    EXPECT_EQ(tree.State(paint), 2);

    const HWND slider = GetDlgItem(main, 1036);
    SendMessageA(slider, WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(SendMessageA(slider, TBM_GETPOS, 0, 0), 4);
    SaveScreenshot(main, "main-window");

    PostMessageA(GetDlgItem(main, 1006), BM_CLICK, 0, 0);
    HWND progress = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (progress = FindDialog("Shred files")) != nullptr; }, 20000));
    ASSERT_TRUE(WaitFor(
        [&] { return Text(GetDlgItem(progress, 1029)) == "Shredding is completed."; }, 60000));
    EXPECT_EQ(Text(GetDlgItem(progress, 2)), "OK");
    SaveScreenshot(progress, "progress");

    {
        Program second;
        HWND refusal = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (refusal = FindDialog("nv")) != nullptr; }, 20000));
        EXPECT_EQ(Text(GetDlgItem(refusal, 0xFFFF)), "Norvexa has already run !");
        PostMessageA(refusal, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(second.Ended(10000));
    }

    PostMessageA(GetDlgItem(progress, 2), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(progress); }, 10000));
    PostMessageA(main, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(program.Ended(10000));

    EXPECT_FALSE(KeyExists(kExplorer + "\\RunMRU"));
    EXPECT_FALSE(KeyExists(kApplets + "\\Paint\\Recent File List"));
    EXPECT_FALSE(Exists(netHood));
    EXPECT_TRUE(KeyExists(kExplorer + "\\Doc Find Spec MRU"));
    EXPECT_TRUE(KeyExists(kApplets + "\\Wordpad\\Recent File List"));
    EXPECT_EQ(DwordValue(kAppKey, kMethodValue), 144u);
    EXPECT_EQ(DwordValue(kAppKey, "Data1"), 1u << 3);
    EXPECT_EQ(DwordValue(kAppKey, "Data2"), 1u << (29 - 16));
    EXPECT_EQ(DwordValue(kAppKey, "Data3"), 0u);
    EXPECT_EQ(DwordValue(kAppKey, "Data4"), 1u << (58 - 48));
}

namespace {

// A 256 MiB file in the temporary folder, erased with Gutmann's 35 passes: a run that lasts.
class LongRun : public EndToEnd {
protected:
    void SetUp() override {
        EndToEnd::SetUp();
        m_big = TempFolder() + "\\vx-large.bin";
        const FileHandle file(
            CreateFileA(m_big.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        LARGE_INTEGER size;
        size.QuadPart = LONGLONG(256) << 20;
        SetFilePointerEx(file.Get(), size, nullptr, FILE_BEGIN);
        SetEndOfFile(file.Get());
    }
    void TearDown() override {
        DeleteFileA(m_big.c_str());
        EndToEnd::TearDown();
    }

    // Ticks "Temporary Files", chooses Gutmann and shreds; the progress dialog once it is busy.
    HWND StartRun(HWND main) {
        Tree tree(GetDlgItem(main, 1019));
        tree.Tick(tree.Entry(kWindows, 1));
        SendMessageA(GetDlgItem(main, 1036), WM_KEYDOWN, VK_HOME, 0);
        PostMessageA(GetDlgItem(main, 1006), BM_CLICK, 0, 0);
        HWND progress = nullptr;
        if (!WaitFor([&] { return (progress = FindDialog("Shred files")) != nullptr; }, 20000) ||
            !WaitFor(
                [&] {
                    return Text(GetDlgItem(progress, 1029)) ==
                           "< Microsoft Windows >: Temporary Files";
                },
                20000))
            return nullptr;
        return progress;
    }

    std::string m_big;
};

int CountDialogs(const char* caption) {
    int count = 0;
    for (HWND window = FindDialog(caption); window;
         window = FindWindowExA(nullptr, window, "#32770", caption))
        count += IsWindowVisible(window) ? 1 : 0;
    return count;
}

} // namespace

// The progress dialog belongs to the main window: while it is up, the main window takes no
// second Shred and Enter or Escape there does not end the program under the run.
TEST_F(LongRun, WhileARunIsUnderWayTheMainWindowStartsNoSecondRunAndDoesNotEnd) {
    Program program;
    const HWND main = OpenMainWindow();
    ASSERT_NE(main, nullptr);
    const HWND progress = StartRun(main);
    ASSERT_NE(progress, nullptr);
    EXPECT_FALSE(IsWindowEnabled(main));
    EXPECT_EQ(GetWindow(progress, GW_OWNER), main);
    RECT outer, inner;
    GetWindowRect(main, &outer);
    GetWindowRect(progress, &inner);
    EXPECT_NEAR(inner.left + inner.right, outer.left + outer.right, 2) << "centred on its owner";

    const HWND shred = GetDlgItem(main, 1006);
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(1006, BN_CLICKED), LPARAM(shred));
    PostMessageA(main, WM_COMMAND, IDOK, 0);
    PostMessageA(main, WM_COMMAND, IDCANCEL, 0);
    PostMessageA(main, WM_COMMAND, 32773, 0);
    PostMessageA(main, WM_COMMAND, 57665, 0);
    Sleep(1500);
    EXPECT_EQ(CountDialogs("Shred files"), 1) << "one run at a time";
    EXPECT_EQ(Text(GetDlgItem(progress, 2)), "Cancel");

    PostMessageA(GetDlgItem(progress, 2), BM_CLICK, 0, 0);
    HWND message = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (message = FindDialog("nv")) != nullptr; }, 5000));
    PostMessageA(message, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(progress); }, 10000));
    EXPECT_FALSE(program.Ended(2000))
        << "Enter, Escape and the icon's Exit during the run were not kept for later";
    EXPECT_TRUE(IsWindowEnabled(main));
    PostMessageA(main, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(program.Ended(10000));
}

TEST_F(LongRun, CancelStopsALongEraseShowsOneMessageAndClosesTheDialog) {
    Program program;
    const HWND main = OpenMainWindow();
    ASSERT_NE(main, nullptr);
    const HWND progress = StartRun(main);
    ASSERT_NE(progress, nullptr);
    Sleep(1000);
    EXPECT_EQ(Text(GetDlgItem(progress, 2)), "Cancel");
    PostMessageA(GetDlgItem(progress, 2), BM_CLICK, 0, 0);

    HWND message = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (message = FindDialog("nv")) != nullptr; }, 5000));
    EXPECT_EQ(Text(GetDlgItem(message, 0xFFFF)), "Canceled by user!");
    PostMessageA(message, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(message); }, 30000));
    const DWORD answered = GetTickCount();
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(progress); }, 30000));
    EXPECT_LT(GetTickCount() - answered, 1000u) << "the dialog closes right after the message";
    EXPECT_FALSE(WaitFor([] { return FindDialog("nv") != nullptr; }, 1000))
        << "the message is shown once";
    EXPECT_FALSE(Exists(m_big)) << "the file whose overwrite had begun is gone";

    PostMessageA(main, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(program.Ended(10000));
}

namespace {

struct DialogSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchUserDefineDialog(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<DialogSearch*>(data);
    char caption[64] = {};
    GetWindowTextA(window, caption, sizeof caption);
    if (!IsWindowVisible(window) || !GetDlgItem(window, search.id) ||
        lstrcmpA(caption, "User Define(Select files to be shredded)") != 0)
        return TRUE;
    search.found = window;
    return FALSE;
}

// The visible dialog of the user-defined items that has the control `id`: the list and the item
// dialog share their caption.
HWND UserDefineDialog(int id) {
    DialogSearch search{id, nullptr};
    EnumWindows(MatchUserDefineDialog, LPARAM(&search));
    return search.found;
}

// Key by key, as a person types: the control's own limits and handlers see every character.
void TypeInto(HWND control, const std::string& text) {
    for (char c : text)
        SendMessageA(control, WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 1);
}

class UserItemOnVolume : public EndToEnd {
protected:
    void TearDown() override {
        DeleteKeyQuietly(kAppKey + "\\User Define");
        DeleteValueQuietly(kAppKey, "Count");
        EndToEnd::TearDown();
    }
};

} // namespace

// Run by the forensic test of user-defined items, which maps a test volume to the drive that
// VX_VOLUME names, fills it and searches its raw bytes once the program has run.
TEST_F(UserItemOnVolume, AnItemAddedInItsDialogsAndTickedShredsTheMatchesOfItsPatterns) {
    const char* volume = std::getenv("VX_VOLUME");
    if (!volume)
        GTEST_SKIP() << "needs the test volume of the forensic test forensic_useritem_ext4";
    const std::string folder = std::string(volume) + "\\ud";
    TearDown();

    Program program;
    const HWND main = OpenMainWindow();
    ASSERT_NE(main, nullptr);
    PostMessageA(GetDlgItem(main, 1000), BM_CLICK, 0, 0);
    HWND list = nullptr, item = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (list = UserDefineDialog(1022)) != nullptr; }, 10000));
    PostMessageA(GetDlgItem(list, 1043), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return (item = UserDefineDialog(1002)) != nullptr; }, 10000));
    TypeInto(GetDlgItem(item, 1002), folder);
    TypeInto(FindWindowExA(GetDlgItem(item, 1047), nullptr, "Edit", nullptr), "*.tmp,*.bak");
    PostMessageA(GetDlgItem(item, 1003), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor(
        [&] { return SendDlgItemMessageA(item, 1003, BM_GETCHECK, 0, 0) == BST_CHECKED; }, 5000));
    PostMessageA(GetDlgItem(item, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(item); }, 10000));
    PostMessageA(GetDlgItem(list, IDCANCEL), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(list); }, 10000));

    Tree tree(GetDlgItem(main, 1019));
    const HTREEITEM userItem =
        tree.Child(tree.Child(TreeView_GetRoot(GetDlgItem(main, 1019)), 5), 0);
    ASSERT_NE(userItem, nullptr) << "the item is the first of the last category";
    tree.Tick(userItem);
    EXPECT_EQ(tree.State(userItem), 2);

    PostMessageA(GetDlgItem(main, 1006), BM_CLICK, 0, 0);
    HWND progress = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (progress = FindDialog("Shred files")) != nullptr; }, 20000));
    ASSERT_TRUE(WaitFor(
        [&] { return Text(GetDlgItem(progress, 1029)) == "Shredding is completed."; }, 60000));
    PostMessageA(GetDlgItem(progress, 2), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(progress); }, 10000));
    PostMessageA(main, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(program.Ended(10000));

    const std::string stored = kAppKey + "\\User Define\\00000001";
    EXPECT_EQ(StringValue(stored, "Folder"), folder);
    EXPECT_EQ(StringValue(stored, "FileName"), "*.tmp,*.bak");
    EXPECT_EQ(DwordValue(stored, "SubFolder"), 1u);
    EXPECT_EQ(DwordValue(stored, "Selected"), 1u) << "the run stores the items it took";
    for (const char* gone : {"a.tmp", "b.bak", "sub\\c.tmp"})
        EXPECT_FALSE(Exists(folder + "\\" + gone)) << gone;
    for (const char* kept : {"ud\\keep.txt", "other\\d.tmp"})
        EXPECT_TRUE(Exists(std::string(volume) + "\\" + kept)) << kept;
}

// The hide button parks the window behind its icon; a click on the icon brings it back. Started
// with Windows, the program comes up as its icon only.
TEST_F(EndToEnd, TheProgramParksBehindItsIconAndComesBackAndStartsThereWithTray) {
    const std::vector<HWND> before = TrayIcons();
    const int icons = int(before.size());
    {
        Program program;
        const HWND main = OpenMainWindow();
        ASSERT_NE(main, nullptr);
        ASSERT_TRUE(WaitFor([&] { return TrayIconCount() == icons + 1; }, 5000));
        PostMessageA(GetDlgItem(main, 1001), BM_CLICK, 0, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(main); }, 5000));
        ClickTrayIcon(NewTrayIcon(before));
        EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) && !GetParent(main); }, 5000));
        PostMessageA(main, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(program.Ended(10000));
    }
    EXPECT_TRUE(WaitFor([&] { return TrayIconCount() == icons; }, 5000)) << "the icon is gone";

    Program program("/tray");
    ASSERT_TRUE(WaitFor([&] { return TrayIconCount() == icons + 1; }, 30000));
    const HWND parked = FindDialog(VX_PRODUCT_TITLE);
    EXPECT_FALSE(parked && IsWindowVisible(parked)) << "no window on the screen";
    ClickTrayIcon(NewTrayIcon(before));
    HWND main = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] { return (main = FindDialog(VX_PRODUCT_TITLE)) && IsWindowVisible(main); }, 5000));
    PostMessageA(main, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(program.Ended(10000));
}
