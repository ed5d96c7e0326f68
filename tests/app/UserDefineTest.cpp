// The user-defined items: their store in the registry, their branch of the main window's tree,
// and the two dialogs that edit them, driven as a person would.
#include "CleanerDlg.h"
#include "ProgramSettings.h"
#include "UserDefineDlg.h"
#include "UserItemDlg.h"
#include "UserItemStore.h"
#include "common/DialogScript.h"
#include "common/RegistryFixture.h"
#include "common/Scratch.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kAppKey = "Software\\Dravok\\nv";
const std::string kItemsKey = kAppKey + "\\User Define";
constexpr char kCaption[] = "User Define(Select files to be shredded)";

class UserDefine : public ::testing::Test {
protected:
    static void SetUpTestSuite() { UseProgramSettings(); }
    void SetUp() override { Forget(); }
    void TearDown() override {
        if (m_main.m_hWnd)
            DestroyWindow(m_main.m_hWnd);
        Forget();
    }
    static void Forget() {
        DeleteKeyQuietly(kItemsKey);
        DeleteValueQuietly(kAppKey, "Count");
    }
    static void Store(const std::string& code, const std::string& folder,
                      const std::string& patterns, DWORD subfolders, DWORD selected) {
        const std::string item = kItemsKey + "\\" + code;
        SetString(item, "Folder", folder);
        SetString(item, "FileName", patterns);
        SetDword(item, "SubFolder", subfolders);
        SetDword(item, "Selected", selected);
    }

    void OpenMain() {
        ASSERT_TRUE(m_main.Create());
        ShowWindow(m_main.m_hWnd, SW_SHOW);
    }
    HTREEITEM Branch() {
        CCheckTreeCtrl& tree = m_main.m_tree;
        HTREEITEM last = nullptr;
        for (HTREEITEM node = tree.GetChildItem(tree.GetRootItem()); node;
             node = tree.GetNextSiblingItem(node))
            last = node;
        return last && tree.GetItemText(last) == "User Define" ? last : nullptr;
    }

    CCleanerDlg m_main;
};

// The browser fills its tree after it opens: waits until the named folder is selected there.
void WaitForSelection(HWND browser, const std::string& name) {
    const HWND tree = FindWindowExA(browser, nullptr, "SysTreeView32", nullptr);
    for (int waited = 0; tree && waited < 5000; waited += 20, Sleep(20)) {
        char text[MAX_PATH] = {};
        TVITEMA item = {};
        item.mask = TVIF_TEXT;
        item.hItem = TreeView_GetSelection(tree);
        item.pszText = text;
        item.cchTextMax = sizeof text;
        if (item.hItem && TreeView_GetItem(tree, &item) && name == text)
            return;
    }
}

std::string Text(HWND dialog, int id) {
    char text[1024] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

} // namespace

TEST_F(UserDefine, CodesAreGivenOnceAndCountOnlyGrows) {
    EXPECT_STREQ(AddUserItem({"C:\\vxtest", "*.tmp", false}), "00000001");
    EXPECT_EQ(DwordValue(kAppKey, "Count"), 1u);
    EXPECT_EQ(DwordValue(kItemsKey + "\\00000001", "Selected"), 0u);
    DeleteUserItem("00000001");
    EXPECT_FALSE(KeyExists(kItemsKey + "\\00000001"));
    EXPECT_STREQ(AddUserItem({"C:\\vxtest", "*.tmp", false}), "00000002");

    SetDword(kAppKey, "Count", 1);
    EXPECT_STREQ(AddUserItem({"C:\\vxtest", "*.tmp", false}), "00000003")
        << "a lowered Count never hands out the code of an item that exists";

    MakeKey(kItemsKey + "\\00000003\\below");
    DeleteUserItem("00000003");
    EXPECT_FALSE(KeyExists(kItemsKey + "\\00000003"));
    DeleteUserItem("");
    EXPECT_TRUE(KeyExists(kItemsKey + "\\00000002")) << "an empty code names no item";
}

TEST_F(UserDefine, ItemsWrittenByHandLoadWithTheirDefaultsAndOddNamesAreSkipped) {
    Store("00000007", "D:\\Work", "*.bak,*.old", 1, 1);
    SetString(kItemsKey + "\\00000003", "Folder", "C:\\");
    SetString(kItemsKey + "\\00000003", "FileName", "*.tmp");
    Store("001", "E:\\", "*.x", 0, 0);
    Store("000000001", "F:\\", "*.x", 0, 0);
    Store("x0000001", "G:\\", "*.x", 0, 0);

    const auto tree = ReadUserItems("00");
    ASSERT_TRUE(tree);
    ASSERT_EQ(tree->size(), 3u);
    EXPECT_STREQ(DisplayString((*tree)[0].item), "C:\\<*.tmp><SubFolder:No>");
    EXPECT_FALSE((*tree)[0].selected);
    EXPECT_STREQ(DisplayString((*tree)[1].item), "D:\\Work\\<*.bak,*.old><SubFolder:Yes>");
    EXPECT_TRUE((*tree)[1].selected);
    EXPECT_STREQ((*tree)[2].code, "001");
    EXPECT_EQ(ReadUserItems("000")->size(), 2u) << "the list shows codes that begin with 000";

    DeleteKeyQuietly(kItemsKey);
    EXPECT_FALSE(ReadUserItems("00"));
}

TEST_F(UserDefine, MoreThan255ItemsFillTheBranchWithTheirMarks) {
    char code[9];
    for (int i = 1; i <= 300; ++i) {
        snprintf(code, sizeof code, "%08d", i);
        Store(code, "C:\\vxtest\\" + std::to_string(i), "*.tmp", 0, i % 3 == 0);
    }
    const std::string longFolder = "C:\\vxtest\\" + std::string(300, 'l');
    Store("00000300", longFolder, "*.tmp", 0, 1);
    OpenMain();
    const HTREEITEM branch = Branch();
    ASSERT_TRUE(branch);
    int items = 0, checked = 0;
    for (HTREEITEM item = m_main.m_tree.GetChildItem(branch); item;
         item = m_main.m_tree.GetNextSiblingItem(item), ++items)
        checked += m_main.m_tree.GetStateImage(item) == CCheckTreeCtrl::Checked;
    EXPECT_EQ(items, 300);
    EXPECT_EQ(checked, 100);
    EXPECT_EQ(m_main.m_userItemKeys.GetCount(), 300);
    const std::string longText = longFolder + "\\<*.tmp><SubFolder:No>";
    EXPECT_EQ(std::string(m_main.m_userItemTexts.GetAt(299)), longText);
    HTREEITEM last = m_main.m_tree.GetChildItem(branch);
    for (int i = 1; i < 300; ++i)
        last = m_main.m_tree.GetNextSiblingItem(last);
    EXPECT_EQ(std::string(m_main.m_tree.GetItemText(last)), longText) << "the tree keeps it whole";
    EXPECT_EQ(m_main.m_tree.GetStateImage(branch), CCheckTreeCtrl::PartlyChecked);
    EXPECT_TRUE(m_main.m_tree.GetItemState(branch, TVIS_EXPANDED) & TVIS_EXPANDED);

    for (const CString& key : m_main.m_userItemKeys)
        DeleteUserItem(key);
    m_main.LoadUserItems(true);
    EXPECT_EQ(Branch(), nullptr) << "the last item gone, the category goes";
    EXPECT_EQ(m_main.m_userItemKeys.GetCount(), 0);
}

TEST_F(UserDefine, AnItemAddedThroughTheDialogsIsStoredAsTypedAndShownAfterDone) {
    OpenMain();
    DialogScript script([](DialogScript& s) {
        HWND list = s.WaitFor(IDC_USER_LIST, kCaption);
        DialogScript::Press(list, IDC_ADD);
        HWND item = s.WaitFor(IDC_FOLDER, kCaption);
        DialogScript::Type(item, IDC_FOLDER, " C:\\vxtest\\mine");
        DialogScript::Type(item, IDC_FILE_NAMES, "*.tmp,*.bak");
        SendDlgItemMessageA(item, IDC_SUBFOLDER, BM_SETCHECK, BST_CHECKED, 0);
        DialogScript::Press(item, IDOK);
        if (s.Answer(IDOK).find("full path") == std::string::npos)
            return;
        DialogScript::Type(item, IDC_FOLDER, "C:\\vxtest\\mine");
        DialogScript::Press(item, IDOK);
        s.WaitGone(item);
        DialogScript::Press(list, IDOK);
        Sleep(100);
        if (IsWindowVisible(list))
            DialogScript::Press(list, IDCANCEL);
    });
    m_main.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_USER_DEFINE, BN_CLICKED));
    EXPECT_EQ(script.Finish(), "");

    EXPECT_EQ(StringValue(kItemsKey + "\\00000001", "Folder"), "C:\\vxtest\\mine");
    EXPECT_EQ(StringValue(kItemsKey + "\\00000001", "FileName"), "*.tmp,*.bak");
    EXPECT_EQ(DwordValue(kItemsKey + "\\00000001", "SubFolder"), 1u);
    const HTREEITEM branch = Branch();
    ASSERT_TRUE(branch) << "Enter kept the list open, Done rebuilt the tree";
    EXPECT_STREQ(m_main.m_tree.GetItemText(m_main.m_tree.GetChildItem(branch)),
                 "C:\\vxtest\\mine\\<*.tmp,*.bak><SubFolder:Yes>");
    EXPECT_TRUE(m_main.m_tree.GetItemState(branch, TVIS_EXPANDED) & TVIS_EXPANDED);
}

TEST_F(UserDefine, TheItemDialogRefusesWhatIsNotSafeAndAsksBeforeAWholeDrive) {
    std::vector<std::string> messages;
    DialogScript script([&messages](DialogScript& s) {
        HWND item = s.WaitFor(IDC_FOLDER, kCaption);
        const auto attempt = [&](const char* folder, const char* patterns, int answer) {
            DialogScript::Type(item, IDC_FOLDER, folder);
            DialogScript::Type(item, IDC_FILE_NAMES, patterns);
            DialogScript::Press(item, IDOK);
            messages.push_back(s.Answer(answer));
        };
        attempt("", "*.tmp", IDOK);
        attempt("\\", "*.tmp", IDOK);
        attempt("Temp", "*.tmp", IDOK);
        attempt("C:\\vxtest", "  ", IDOK);
        attempt("C:\\vxtest", "*.tmp,..\\*.doc", IDOK);
        attempt("C:\\vxtest", "*.tmp,,*.doc", IDOK);
        attempt("C:\\", "*.*", IDNO);
        attempt("C:\\", "*.*", IDYES);
        s.WaitGone(item);
    });
    CUserItemDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(script.Finish(), "");
    ASSERT_EQ(messages.size(), 8u);
    EXPECT_EQ(messages[0], "Please select a folder.");
    EXPECT_EQ(messages[1], "Please select a folder.");
    EXPECT_NE(messages[2].find("full path"), std::string::npos) << messages[2];
    EXPECT_EQ(messages[3], "Please input a filename.");
    EXPECT_NE(messages[4].find("cannot name another folder"), std::string::npos) << messages[4];
    EXPECT_EQ(messages[5], messages[4]);
    EXPECT_NE(messages[6].find("C:\\ is a whole drive"), std::string::npos) << messages[6];
    EXPECT_EQ(messages[7], messages[6]);
    EXPECT_STREQ(dialog.m_folder, "C:\\");
    EXPECT_STREQ(dialog.m_fileNames, "*.*");
}

TEST_F(UserDefine, EditAndDeleteWithoutASelectionTakeTheFirstRowAndCancelChangesNothing) {
    Store("00000001", "C:\\vxtest\\one", "*.a", 1, 1);
    Store("00000002", "C:\\vxtest\\two", "*.b", 0, 1);
    std::string shownFolder;
    DialogScript script([&shownFolder](DialogScript& s) {
        HWND list = s.WaitFor(IDC_USER_LIST, kCaption);
        DialogScript::Press(list, IDC_EDIT);
        HWND item = s.WaitFor(IDC_FOLDER, kCaption);
        shownFolder = Text(item, IDC_FOLDER);
        DialogScript::Press(item, IDCANCEL);
        s.WaitGone(item);
        DialogScript::Press(list, IDC_DELETE);
        DialogScript::Press(list, IDC_EDIT);
        item = s.WaitFor(IDC_FOLDER, kCaption);
        DialogScript::Type(item, IDC_FILE_NAMES, "*.c");
        DialogScript::Press(item, IDOK);
        s.WaitGone(item);
        DialogScript::Press(list, IDCANCEL);
    });
    CUserDefineDlg dialog;
    dialog.DoModal();
    EXPECT_EQ(script.Finish(), "");
    EXPECT_EQ(shownFolder, "C:\\vxtest\\one");
    EXPECT_TRUE(dialog.m_modified);
    EXPECT_FALSE(KeyExists(kItemsKey + "\\00000001"));
    EXPECT_EQ(StringValue(kItemsKey + "\\00000002", "FileName"), "*.c");
    EXPECT_EQ(DwordValue(kItemsKey + "\\00000002", "Selected"), 1u) << "an edit keeps the mark";
}

TEST_F(UserDefine, TheBrowseButtonOpensTheFolderBrowserOnTheTypedFolderAndCancelKeepsIt) {
    const ScratchFolder folder("browse");
    std::vector<std::string> fields;
    bool ownerDisabled = false;
    DialogScript script([&](DialogScript& s) {
        HWND item = s.WaitFor(IDC_FOLDER, kCaption);
        const auto browse = [&](const std::string& typed, int button) {
            DialogScript::Type(item, IDC_FOLDER, typed);
            DialogScript::Press(item, IDC_BROWSE);
            HWND browser = s.WaitFor(0, "Browse for Folder");
            ownerDisabled = browser && !IsWindowEnabled(item);
            if (button == IDOK)
                WaitForSelection(browser, "browse");
            DialogScript::Press(browser, button);
            s.WaitGone(browser);
            Sleep(100);
            fields.push_back(Text(item, IDC_FOLDER));
        };
        browse("", IDCANCEL);
        browse(folder.Path(), IDOK);
        browse(folder.Path() + "\\missing", IDCANCEL);
        browse(std::string(300, 'x'), IDCANCEL);
        DialogScript::Press(item, IDCANCEL);
    });
    CUserItemDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(script.Finish(), "");
    EXPECT_TRUE(ownerDisabled);
    ASSERT_EQ(fields.size(), 4u);
    EXPECT_EQ(fields[0], "");
    EXPECT_EQ(fields[1], folder.Path()) << "the typed folder was selected when the browser opened";
    EXPECT_EQ(fields[2], folder.Path() + "\\missing");
    EXPECT_EQ(fields[3], std::string(300, 'x'));
}

TEST_F(UserDefine, DoneWithoutAChangeLeavesTheTreeAndItsMarksAsTheyAre) {
    Store("00000001", "C:\\vxtest\\one", "*.a", 0, 0);
    OpenMain();
    const HTREEITEM item = m_main.m_tree.GetChildItem(Branch());
    m_main.m_tree.SetCheck(item, CheckAction::Check);
    DialogScript script([](DialogScript& s) {
        HWND list = s.WaitFor(IDC_USER_LIST, kCaption);
        DialogScript::Press(list, IDCANCEL);
    });
    m_main.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_USER_DEFINE, BN_CLICKED));
    EXPECT_EQ(script.Finish(), "");
    EXPECT_EQ(m_main.m_tree.GetChildItem(Branch()), item);
    EXPECT_EQ(m_main.m_tree.GetStateImage(item), CCheckTreeCtrl::Checked);
}
