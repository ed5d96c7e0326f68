// The catalogue tree in the real main window, driven with the mouse and the keyboard.
#include "CatalogueMembers.h"
#include "CleanerDlg.h"
#include "MessageBoxAnswerer.h"
#include "Product.h"
#include "ProgramSettings.h"
#include "RunRequest.h"
#include "WindowHandle.h"
#include "art-ids.h"
#include "common/RegistryFixture.h"
#include "common/Screenshot.h"
#include "engine/BrowserFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kAppKey = "Software\\Dravok\\nv";

class TreeDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() { UseProgramSettings(); }
    void SetUp() override {
        for (const char* value : kSelectionValues)
            RemoveValue(value);
    }
    void TearDown() override {
        if (m_dialog.m_hWnd)
            DestroyWindow(m_dialog.m_hWnd);
        for (const char* value : kSelectionValues)
            RemoveValue(value);
    }
    static void RemoveValue(const char* name) { DeleteValueQuietly(kAppKey, name); }

    void Open() {
        ASSERT_TRUE(m_dialog.Create());
        ShowWindow(m_dialog.m_hWnd, SW_SHOW);
        Pump();
    }
    static void Pump() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }

    HTREEITEM Find(const char* text) { return FindAmong(text, tree().GetRootItem()); }
    HTREEITEM FindAmong(const char* text, HTREEITEM first) {
        for (HTREEITEM item = first; item; item = tree().GetNextSiblingItem(item)) {
            if (tree().GetItemText(item) == text)
                return item;
            if (HTREEITEM below = FindAmong(text, tree().GetChildItem(item)))
                return below;
        }
        return nullptr;
    }
    int State(const char* text) { return tree().GetStateImage(Find(text)); }
    bool Expanded(const char* text) {
        return tree().GetItemState(Find(text), TVIS_EXPANDED) & TVIS_EXPANDED;
    }
    CCheckTreeCtrl& tree() { return m_dialog.m_tree; }

    // A point on the node's check box.
    bool BoxPoint(const char* text, LPARAM& point) {
        const HTREEITEM item = Find(text);
        tree().EnsureVisible(item);
        RECT rect;
        if (!tree().GetItemRect(item, &rect, TRUE))
            return false;
        const int y = (rect.top + rect.bottom) / 2;
        for (int x = rect.left; x >= 0; --x) {
            UINT flags = 0;
            if (tree().HitTest(CPoint(x, y), &flags) == item && (flags & TVHT_ONITEMSTATEICON)) {
                point = MAKELPARAM(x, y);
                return true;
            }
        }
        return false;
    }
    // Presses the left button on the node's check box, as a person would: once, or twice in
    // quick succession, when the second press arrives as a double-click.
    void ClickBox(const char* text, bool twice = false) {
        LPARAM point = 0;
        ASSERT_TRUE(BoxPoint(text, point)) << "no check box found for " << text;
        tree().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, point);
        tree().SendMessage(WM_LBUTTONUP, 0, point);
        if (twice) {
            tree().SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, point);
            tree().SendMessage(WM_LBUTTONUP, 0, point);
        }
        Pump();
    }
    void PressSpace() {
        tree().SendMessage(WM_KEYDOWN, VK_SPACE, 0x00390001);
        tree().SendMessage(WM_CHAR, ' ', 0x00390001);
        tree().SendMessage(WM_KEYUP, VK_SPACE, 0xC0390001);
        Pump();
    }

    std::vector<std::string> CheckedLeaves() {
        std::vector<std::string> names;
        for (HTREEITEM item = tree().GetFirstChecked(); item; item = tree().GetNextChecked(item))
            names.push_back(std::string(tree().GetItemText(item)));
        return names;
    }

    CCleanerDlg m_dialog;
};

} // namespace

TEST_F(TreeDialog, AFirstStartChecksEveryEntryAndNoDrive) {
    Open();
    for (const CatalogueEntry& entry : kCatalogue) {
        if (!IsPresent(entry.category))
            continue;
        EXPECT_EQ(State(entry.name), CCheckTreeCtrl::Checked) << entry.name;
    }
    for (const CategoryInfo& category : kCategories) {
        if (!IsPresent(category.category))
            continue;
        EXPECT_EQ(State(category.name), CCheckTreeCtrl::Checked) << category.name;
        EXPECT_TRUE(Expanded(category.name)) << category.name;
    }
    EXPECT_EQ(State("Unused Space"), CCheckTreeCtrl::Unchecked);
    EXPECT_FALSE(Expanded("Unused Space"));
    ASSERT_GT(m_dialog.m_driveList.GetCount(), 0);
    for (const CString& drive : m_dialog.m_driveList)
        EXPECT_EQ(State(drive), CCheckTreeCtrl::Unchecked) << static_cast<const char*>(drive);
    EXPECT_EQ(State("My Computer"), CCheckTreeCtrl::PartlyChecked);
    EXPECT_EQ(CheckedLeaves().size(), 60u);
    EXPECT_EQ(CheckedLeaves().front(), "Document History");
    EXPECT_EQ(CheckedLeaves().back(), "ZoneAlarm");
}

// An icon number that names a bitmap, or nothing, would leave its node without an image.
TEST(CatalogueIcons, EveryNodeOfTheTreeHasAnIconOfTheProgram) {
    const auto isIcon = [](int id) {
        const IconHandle icon(static_cast<HICON>(LoadImageA(
            AfxGetResourceHandle(), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
        return icon.Get() != nullptr;
    };
    for (int id : {IDI_MY_COMPUTER, IDI_UNUSED_SPACE})
        EXPECT_TRUE(isIcon(id)) << id;
    for (const CategoryInfo& category : kCategories)
        EXPECT_TRUE(isIcon(category.icon)) << category.name;
    for (const CatalogueEntry& entry : kCatalogue)
        EXPECT_TRUE(isIcon(entry.icon)) << entry.name;
}

TEST_F(TreeDialog, ClicksOnCheckBoxesPropagateDownAndUp) {
    Open();
    const HTREEITEM selected = tree().GetSelectedItem();
    ClickBox("Microsoft Office");
    EXPECT_EQ(State("Microsoft Word"), CCheckTreeCtrl::Unchecked);
    EXPECT_EQ(State("Microsoft Access"), CCheckTreeCtrl::Unchecked);
    EXPECT_EQ(State("Microsoft Office"), CCheckTreeCtrl::Unchecked);
    EXPECT_EQ(tree().GetSelectedItem(), selected) << "a click on a box selects nothing";

    ClickBox("Cookies");
    EXPECT_EQ(State("Cookies"), CCheckTreeCtrl::Unchecked);
    EXPECT_EQ(State("Microsoft Internet Explorer"), CCheckTreeCtrl::PartlyChecked);
    EXPECT_EQ(State("My Computer"), CCheckTreeCtrl::PartlyChecked);

    ClickBox("My Computer");
    EXPECT_EQ(State("My Computer"), CCheckTreeCtrl::Checked);
    for (const CString& drive : m_dialog.m_driveList)
        EXPECT_EQ(State(drive), CCheckTreeCtrl::Checked);
    EXPECT_EQ(State("Cookies"), CCheckTreeCtrl::Checked);
    EXPECT_EQ(State("Microsoft Word"), CCheckTreeCtrl::Checked);
}

// The control toggles a box on a double-click by itself; the tree must stay in step and the
// run must get what the boxes show.
TEST_F(TreeDialog, ADoubleClickTogglesTwiceAndKeepsParentsAndChildrenInStep) {
    Open();
    ClickBox("Microsoft Office", true);
    EXPECT_EQ(State("Microsoft Office"), CCheckTreeCtrl::Checked);
    EXPECT_EQ(State("Microsoft Word"), CCheckTreeCtrl::Checked);

    ClickBox("Cookies", true);
    ClickBox("Cookies");
    ClickBox("History", true);
    EXPECT_EQ(State("Cookies"), CCheckTreeCtrl::Unchecked);
    EXPECT_EQ(State("History"), CCheckTreeCtrl::Checked);
    EXPECT_EQ(State("Microsoft Internet Explorer"), CCheckTreeCtrl::PartlyChecked);

    RunRequest request;
    for (HTREEITEM leaf = tree().GetFirstChecked(); leaf; leaf = tree().GetNextChecked(leaf))
        AddCheckedLeaf(request, tree().GetItemText(tree().GetParentItem(leaf)),
                       tree().GetItemText(leaf), m_dialog.m_driveList);
    EXPECT_EQ(request.selection, SelectionMask((1ull << 60) - 1).reset(9));
}

TEST_F(TreeDialog, UncheckingEveryEntryByHandUnchecksTheCategoryWhichStaysExpanded) {
    Open();
    for (const CatalogueEntry& entry : kCatalogue)
        if (entry.category == Category::Office)
            ClickBox(entry.name);
    EXPECT_EQ(State("Microsoft Office"), CCheckTreeCtrl::Unchecked);
    EXPECT_TRUE(Expanded("Microsoft Office"));
}

TEST_F(TreeDialog, TheSpaceBarTogglesTheSelectedNodeAndNothingWithoutOne) {
    Open();
    tree().SelectItem(nullptr);
    ASSERT_EQ(tree().GetSelectedItem(), nullptr);
    PressSpace();
    EXPECT_EQ(CheckedLeaves().size(), 60u);

    tree().SelectItem(Find("Recycle Bin"));
    PressSpace();
    EXPECT_EQ(State("Recycle Bin"), CCheckTreeCtrl::Unchecked);
    EXPECT_EQ(State("Microsoft Windows"), CCheckTreeCtrl::PartlyChecked);
    PressSpace();
    EXPECT_EQ(State("Recycle Bin"), CCheckTreeCtrl::Checked);
}

TEST_F(TreeDialog, CheckedLeavesComeInTreeOrderAndNoneWhenNothingIsChecked) {
    Open();
    ClickBox("My Computer");
    ClickBox("My Computer");
    EXPECT_EQ(State("My Computer"), CCheckTreeCtrl::Unchecked);
    EXPECT_TRUE(CheckedLeaves().empty());

    ClickBox("WinZip");
    ClickBox("Cache");
    ClickBox("Nethood");
    const std::string drive = std::string(m_dialog.m_driveList.GetAt(0));
    ClickBox(drive.c_str());
    EXPECT_EQ(CheckedLeaves(), (std::vector<std::string>{drive, "Nethood", "Cache", "WinZip"}));
}

TEST_F(TreeDialog, StoredMarksRoundTripAndLowWordsOfZeroUncheckTheirEntries) {
    SetDword(kAppKey, "Data1", 0);
    SetDword(kAppKey, "Data2", 0);
    Open();
    for (const CatalogueEntry& entry : kCatalogue) {
        if (!IsPresent(entry.category))
            continue;
        EXPECT_EQ(State(entry.name),
                  entry.bit < 32 ? CCheckTreeCtrl::Unchecked : CCheckTreeCtrl::Checked)
            << entry.name;
    }
    EXPECT_FALSE(Expanded("Microsoft Office")) << "nothing checked: the category stays closed";

    m_dialog.m_selection = 0x0FEDCBA987654321ull;
    m_dialog.SaveSelection();
    EXPECT_EQ(DwordValue(kAppKey, "Data1"), 0x4321u);
    EXPECT_EQ(DwordValue(kAppKey, "Data4"), 0x0FEDu);
    m_dialog.m_selection.reset();
    m_dialog.LoadSelection();
    EXPECT_EQ(m_dialog.m_selection, 0x0FEDCBA987654321ull);
}

TEST_F(TreeDialog, StoredValuesOfTheWrongTypeOrRangeFallBackOrStayInTheirOwnBits) {
    SetString(kAppKey, "Data1", "0");
    SetDword(kAppKey, "Data2", 0xFFFFFFFF);
    SetDword(kAppKey, "Data3", 0);
    CCleanerDlg dialog;
    dialog.LoadSelection();
    EXPECT_EQ(dialog.m_selection & SelectionMask(~0ull), SelectionMask(0xFFFF0000FFFFFFFFull));
}

// Kept as C:\Norvexa\artifacts\catalogue-tree.bmp for a person to look at.
TEST_F(TreeDialog, AScreenshotShowsTheTreeWithItsIconsAndCheckBoxes) {
    Open();
    // The display shows what the window drew once its surface has been flushed to the screen.
    for (int i = 0; i < 50; ++i) {
        Pump();
        Sleep(10);
    }
    EXPECT_GT(SaveScreenshot(m_dialog.m_hWnd, "catalogue-tree"), 100u)
        << "icons, check boxes and text draw many colours";
}

// Each installed browser has its branch; a fresh account leaves their saved passwords unchecked,
// and a run that includes them asks first: "No" starts no run.
TEST_F(TreeDialog, EachBrowserHasItsBranchAndItsSavedPasswordsAreAskedFor) {
    const BrowserFixture browsers;
    Open();
    const HTREEITEM firefox = Find("Mozilla Firefox");
    ASSERT_NE(firefox, nullptr);
    ASSERT_NE(Find("Google Chrome"), nullptr);
    ASSERT_NE(Find("Microsoft Edge"), nullptr);
    const HTREEITEM passwords = FindAmong("Saved Passwords", tree().GetChildItem(firefox));
    ASSERT_NE(passwords, nullptr);
    EXPECT_EQ(tree().GetStateImage(passwords), CCheckTreeCtrl::Unchecked);
    EXPECT_EQ(tree().GetStateImage(FindAmong("History", tree().GetChildItem(firefox))),
              CCheckTreeCtrl::Checked);

    const HTREEITEM root = tree().GetRootItem();
    tree().SetCheck(root, CheckAction::Check);
    tree().SetCheck(root, CheckAction::Uncheck);
    tree().SetCheck(passwords, CheckAction::Check);
    MessageBoxAnswerer answer(VX_PRODUCT_NAME, 10000, IDNO);
    m_dialog.OnShredNow();
    EXPECT_NE(answer.Text().find("Mozilla Firefox keeps"), std::string::npos);
    EXPECT_TRUE(Exists(browsers.FirefoxWork() + "\\logins.json")) << "no run started";
}
