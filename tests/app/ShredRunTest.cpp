// A shred run's worker on a request built by hand: drives, entries and user-defined items reach
// the engine in order and the dialog ends up completed.
#include "ShredDlg.h"
#include "ProgramSettings.h"

#include "common/RegistryFixture.h"
#include "common/Scratch.h"
#include "common/SettingGuard.h"

#include <gtest/gtest.h>

namespace {

std::string ControlText(HWND dialog, int id) {
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// Runs the dialog without a modal loop of its own until the worker has finished.
void RunToCompletion(CShredDlg& dialog) {
    ASSERT_TRUE(dialog.Create());
    for (int i = 0; i < 3000; ++i) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        if (ControlText(dialog.m_hWnd, 1029) == "Shredding is completed." && !dialog.m_running)
            return;
        Sleep(10);
    }
    FAIL() << "the run did not complete: " << ControlText(dialog.m_hWnd, 1029);
}

} // namespace

TEST(ShredRun, UserItemsAreShreddedPatternByPatternAndTheDialogEndsCompleted) {
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
    RunToCompletion(dialog);

    EXPECT_EQ(Listing(folder.Path()), "c.txt sub");
    EXPECT_EQ(Listing(folder / "sub"), "d.tmp") << "subfolders were not asked for";
    EXPECT_FALSE(KeyExists(
        "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List"));
    EXPECT_EQ(ControlText(dialog.m_hWnd, IDCANCEL), "OK");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog.m_hWnd, 1031)));
    DestroyWindow(dialog.m_hWnd);
}
