// The folder browser run as a modal dialog object: what each way out of the browser hands back,
// the owner it keeps disabled, the initial paths it cannot use, and what it leaves behind.
#include "FolderDialog.h"

#include "Handle.h"
#include "common/DialogScript.h"
#include "common/Scratch.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

constexpr UINT kFolderFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
using ItemIdList = UniqueHandle<NullIsInvalid<LPITEMIDLIST, CoTaskMemFree>>;

class RecordingFolderDialog : public CFolderDialog {
public:
    using CFolderDialog::CFolderDialog;
    HWND initialisedIn = nullptr;
    std::string lastSelection;
    bool throwOnInit = false;

protected:
    void OnInitialized() override {
        initialisedIn = m_browseWnd;
        if (throwOnInit)
            throw std::runtime_error("handler failed");
        CFolderDialog::OnInitialized();
    }
    void OnSelChanged(LPITEMIDLIST item) override {
        char path[MAX_PATH] = {};
        SHGetPathFromIDListA(item, path);
        lastSelection = path;
    }
};

struct BrowserRun {
    INT_PTR result = 0;
    HWND browser = nullptr;
    HWND browserOwner = nullptr;
    bool ownerEnabledDuringRun = true;
    std::string failure;
};

// Runs the dialog while a script waits for the browser, does `first` to it and presses `button`.
BrowserRun RunPressing(CFolderDialog& dialog, int button,
                       const std::function<void(HWND)>& first = {}) {
    BrowserRun run;
    DialogScript script([&](DialogScript& s) {
        run.browser = s.WaitFor(0, "Browse for Folder");
        if (!run.browser)
            return;
        run.browserOwner = GetWindow(run.browser, GW_OWNER);
        run.ownerEnabledDuringRun = IsWindowEnabled(run.browserOwner);
        if (first)
            first(run.browser);
        DialogScript::Press(run.browser, button);
    });
    run.result = dialog.DoModal();
    run.failure = script.Finish();
    return run;
}

class FolderDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            m_owner.CreateEx(0, "owner", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, 0));
    }
    void TearDown() override { m_owner.DestroyWindow(); }

    CWnd m_owner;
};

} // namespace

TEST_F(FolderDialog, OkHandsBackThePreselectedFolderAndTheOwnerIsDisabledOnlyDuringTheRun) {
    const ScratchFolder folder("folder-dialog");
    RecordingFolderDialog dialog("Pick", folder.Path().c_str(), &m_owner, kFolderFlags);
    const BrowserRun run = RunPressing(dialog, IDOK);
    EXPECT_EQ(run.failure, "");
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(std::string(dialog.m_selectedPath), folder.Path());
    EXPECT_EQ(dialog.lastSelection, folder.Path()) << "the browser opened on the initial folder";
    EXPECT_EQ(dialog.initialisedIn, run.browser) << "m_browseWnd is the browser in a callback";
    EXPECT_EQ(dialog.m_browseWnd, nullptr);
    EXPECT_EQ(run.browserOwner, m_owner.m_hWnd);
    EXPECT_FALSE(run.ownerEnabledDuringRun);
    EXPECT_TRUE(IsWindowEnabled(m_owner));
}

TEST_F(FolderDialog, CancelYieldsMinusOneWhateverTheInitialPath) {
    const std::string tooLong(300, 'x');
    for (const char* initial :
         {static_cast<const char*>(nullptr), "", "C:\\vxtest\\missing\\folder", tooLong.c_str()}) {
        SCOPED_TRACE(initial ? std::string(initial).substr(0, 30) : "no path");
        RecordingFolderDialog dialog("Pick", initial, &m_owner, kFolderFlags);
        const BrowserRun run = RunPressing(dialog, IDCANCEL);
        EXPECT_EQ(run.failure, "");
        EXPECT_EQ(run.result, -1);
        EXPECT_STREQ(dialog.m_selectedPath, "");
        EXPECT_TRUE(IsWindowEnabled(m_owner));
    }
}

TEST_F(FolderDialog, AnInitialPathThatDoesNotFitIsNoPathAndOverrunsNothing) {
    const std::string longest(MAX_PATH - 1, 'a');
    EXPECT_EQ(CFolderDialog("t", longest.c_str(), nullptr, 0).m_initialPath, longest);
    for (const size_t length : {size_t(MAX_PATH), size_t(300)}) {
        const CFolderDialog dialog("t", std::string(length, 'a').c_str(), nullptr, 0);
        EXPECT_STREQ(dialog.m_initialPath, "") << length;
        EXPECT_EQ(std::string(dialog.m_selectedPath, MAX_PATH), std::string(MAX_PATH, '\0'));
    }
}

TEST_F(FolderDialog, AChosenItemOutsideTheFileSystemYieldsIdCancel) {
    ItemIdList computer;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, computer.Put()), S_OK);
    RecordingFolderDialog dialog("Pick", nullptr, &m_owner, BIF_NEWDIALOGSTYLE);
    const BrowserRun run = RunPressing(dialog, IDOK, [&](HWND browser) {
        SendMessageA(browser, BFFM_SETSELECTIONA, FALSE, LPARAM(computer.Get()));
    });
    EXPECT_EQ(run.failure, "");
    EXPECT_EQ(run.result, IDCANCEL);
}

TEST_F(FolderDialog, AHandlerThatThrowsLeavesTheBrowserRunning) {
    RecordingFolderDialog dialog("Pick", nullptr, &m_owner, kFolderFlags);
    dialog.throwOnInit = true;
    const BrowserRun run = RunPressing(dialog, IDCANCEL);
    EXPECT_EQ(run.failure, "");
    EXPECT_EQ(run.result, -1);
    EXPECT_EQ(dialog.initialisedIn, run.browser);
    EXPECT_EQ(dialog.m_browseWnd, nullptr);
}

// Each run on a thread of its own, which starts without COM. An apartment of another kind that
// the thread has already made is the caller's: the run may not close it.
TEST(FolderDialogApartment, TheRunUndoesOnlyTheApartmentItMadeItself) {
    const auto afterRunOn = [](bool multithreaded) {
        HRESULT after = E_FAIL;
        std::thread([&] {
            if (multithreaded)
                CoInitializeEx(nullptr, COINIT_MULTITHREADED);
            RecordingFolderDialog dialog("Pick", nullptr, nullptr, kFolderFlags);
            RunPressing(dialog, IDCANCEL);
            after = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
            CoUninitialize();
            if (multithreaded)
                CoUninitialize();
        }).join();
        return after;
    };
    EXPECT_EQ(afterRunOn(false), S_OK) << "the run's own apartment was left behind";
    EXPECT_EQ(afterRunOn(true), S_FALSE) << "the run closed the thread's apartment";
}
