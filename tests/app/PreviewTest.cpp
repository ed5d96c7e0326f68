// The preview in the program: the tree's menu offers it, the report shows each step with its
// count and size and the items below it, a long list is cut with one line for the rest, and
// closing the report removes nothing.
#include "CleanerDlg.h"
#include "FileSystem.h"
#include "PreviewDlg.h"
#include "ProgramSettings.h"
#include "common/DialogScript.h"
#include "common/RegistryFixture.h"
#include "common/SettingGuard.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <vector>

namespace {

const char kRunHistory[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";

// In UTF-8, as the control holds it.
std::string ItemText(HWND tree, HTREEITEM item) {
    wchar_t text[512] = {};
    TVITEMW request = {};
    request.mask = TVIF_TEXT;
    request.hItem = item;
    request.pszText = text;
    request.cchTextMax = 512;
    SendMessageW(tree, TVM_GETITEMW, 0, LPARAM(&request));
    return fs::ToUtf8(text);
}

// The texts of the items below `parent` (the roots for null).
std::vector<std::string> Texts(HWND tree, HTREEITEM parent) {
    std::vector<std::string> texts;
    HTREEITEM item = parent ? TreeView_GetChild(tree, parent) : TreeView_GetRoot(tree);
    for (; item; item = TreeView_GetNextSibling(tree, item))
        texts.push_back(ItemText(tree, item));
    return texts;
}

HTREEITEM FindItem(CTreeCtrl& tree, HTREEITEM item, const char* text) {
    for (; item; item = tree.GetNextSiblingItem(item)) {
        if (tree.GetItemText(item) == text)
            return item;
        if (HTREEITEM found = FindItem(tree, tree.GetChildItem(item), text))
            return found;
    }
    return nullptr;
}

PreviewItem File(const std::string& path, unsigned long long size) {
    return {VxTraceKind::File, path, "", size};
}

} // namespace

// Steps that find nothing share one line; a skipped item keeps its own. Names are shown as the
// system spells them.
TEST(PreviewReport, StepsShowCountsAndSizesLongListsAreCutAndEnterRemovesNothing) {
    RunPreview preview;
    preview.steps.push_back({"< User Define >: C:\\Logs\\*.log", {}, 0, true});
    for (int i = 0; i < 1003; ++i)
        preview.steps.back().items.push_back(
            File("C:\\Logs\\" + std::string(i ? "" : u8"\u03a9mega \U0001F600 ") +
                     std::to_string(i) + ".log",
                 1));
    preview.steps.back().bytes = 1003;
    preview.steps.push_back({"< Microsoft Windows >: Run History", {}, 0, false});
    preview.steps.back().items.push_back(
        {VxTraceKind::Key, "HKEY_CURRENT_USER\\Software\\RunMRU", "", 0});
    preview.steps.push_back(
        {"< User Define >: Temp\\*.* (skipped: the folder is not a full path)", {}, 0, true, true});
    preview.steps.push_back({"< Microsoft Windows >: Clipboard", {}, 0, true});
    preview.steps.push_back({"< Microsoft Windows >: Nethood", {}, 0, true});
    preview.items = 1004;
    preview.bytes = 1003;

    CPreviewDlg report(preview);
    ASSERT_TRUE(report.Create());
    const HWND tree = report.m_report.m_hWnd;
    EXPECT_EQ(Texts(tree, nullptr),
              (std::vector<std::string>{
                  "< User Define >: C:\\Logs\\*.log: 1003 items, 1003 bytes",
                  "< Microsoft Windows >: Run History: 1 item (memory ran out: the list is cut "
                  "short)",
                  "< User Define >: Temp\\*.* (skipped: the folder is not a full path): 0 items",
                  "2 checked entries find nothing to remove"}));
    const std::vector<std::string> logs = Texts(tree, TreeView_GetRoot(tree));
    ASSERT_EQ(logs.size(), CPreviewDlg::kShownItems + 1);
    EXPECT_EQ(logs.front(), u8"File C:\\Logs\\\u03a9mega \U0001F600 0.log (1 byte)");
    EXPECT_EQ(logs.back(), "... and 3 items more");
    char total[128] = {};
    GetDlgItemTextA(report.m_hWnd, IDC_PREVIEW_TOTAL, total, sizeof total);
    EXPECT_STREQ(total, "Total: 1004 items, 1003 bytes");
    EXPECT_EQ(LOWORD(SendMessageA(report.m_hWnd, DM_GETDEFID, 0, 0)), IDCANCEL);
    DestroyWindow(report.m_hWnd);
}

// Right-click (here the keyboard's menu key) on the tree, Preview: the report lists the checked
// entry's key; Close leaves it in place.
TEST(PreviewReport, TheTreeMenuPreviewsTheCheckedEntriesAndCloseRemovesNothing) {
    UseProgramSettings();
    SettingGuard setting;
    MakeKey(std::string(kRunHistory) + "\\typed");
    CCleanerDlg window;
    ASSERT_TRUE(window.Create());
    CCheckTreeCtrl& tree = window.m_tree;
    for (HTREEITEM root = tree.GetRootItem(); root; root = tree.GetNextSiblingItem(root)) {
        tree.SetCheck(root, CheckAction::Check);
        tree.SetCheck(root, CheckAction::Uncheck);
    }
    const HTREEITEM runHistory = FindItem(tree, tree.GetRootItem(), "Run History");
    ASSERT_NE(runHistory, nullptr);
    tree.SetCheck(runHistory, CheckAction::Check);

    std::vector<std::string> steps, items;
    DialogScript script([&](DialogScript& driver) {
        HWND menu = nullptr;
        for (int waited = 0; waited < 10000 && !menu; waited += 20, Sleep(20))
            menu = FindWindowA("#32768", nullptr);
        if (!menu)
            return;
        PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
        const HWND report = driver.WaitFor(IDC_PREVIEW_REPORT, "Preview");
        if (!report)
            return;
        const HWND list = GetDlgItem(report, IDC_PREVIEW_REPORT);
        steps = Texts(list, nullptr);
        items = Texts(list, TreeView_GetRoot(list));
        DialogScript::Press(report, IDCANCEL);
        driver.WaitGone(report);
    });
    SendMessageA(window.m_hWnd, WM_CONTEXTMENU, WPARAM(tree.m_hWnd), LPARAM(-1));
    for (int i = 0; i < 1000 && steps.empty(); ++i) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(10);
    }
    EXPECT_EQ(script.Finish(), "");
    EXPECT_EQ(steps, std::vector<std::string>{"< Microsoft Windows >: Run History: 1 item"});
    EXPECT_EQ(items,
              std::vector<std::string>{"Key HKEY_CURRENT_USER\\" + std::string(kRunHistory)});
    EXPECT_TRUE(KeyExists(std::string(kRunHistory) + "\\typed"));
    DestroyWindow(window.m_hWnd);
    DeleteKeyQuietly(kRunHistory);
}
