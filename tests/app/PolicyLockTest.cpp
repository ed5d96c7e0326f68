// The main window under an organisation's locks: the slider disabled at the locked method, which
// a run takes without storing it over the user's own; the checks of the catalogue and of the
// policy's items fixed, the items' dialog closed; a line that says what is set.
#include "CleanerDlg.h"
#include "MessageBoxAnswerer.h"
#include "ProgramSettings.h"
#include "common/RegistryFixture.h"
#include "common/SettingGuard.h"
#include "common/ValueGuard.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

#include <cstring>

namespace {

const std::string kPolicyKey = "Software\\Policies\\Dravok\\nv";

void Text(const std::string& key, const char* name, const char* text) {
    ASSERT_EQ(WriteRegistryValue(HKEY_LOCAL_MACHINE, key, name, REG_SZ, text,
                                 DWORD(std::strlen(text) + 1)),
              ERROR_SUCCESS);
}

class Locks : public ::testing::Test {
protected:
    static void SetUpTestSuite() { UseProgramSettings(); }
    void SetUp() override {
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Policies\\Dravok");
        SettingGuard::WriteDword(0x81);
    }
    void TearDown() override {
        if (m_dialog.m_hWnd)
            DestroyWindow(m_dialog.m_hWnd);
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Policies\\Dravok");
    }

    SettingGuard m_setting;
    CCleanerDlg m_dialog;
};

} // namespace

TEST_F(Locks, ALockedMethodDisablesTheSliderAndARunTakesItWithoutStoringIt) {
    Text(kPolicyKey, "Method", "zero");
    ASSERT_TRUE(m_dialog.Create());
    EXPECT_EQ(m_dialog.m_slider.GetPos(), 4);
    EXPECT_FALSE(IsWindowEnabled(m_dialog.m_slider.m_hWnd));
    EXPECT_EQ(std::string(m_dialog.m_policyNote.m_text), "Set by your organisation: shred method.");
    EXPECT_EQ(m_dialog.SliderMethod(), EraseMethod::Zeroes);

    const HTREEITEM root = m_dialog.m_tree.GetRootItem();
    m_dialog.m_tree.SetCheck(root, CheckAction::Check);
    m_dialog.m_tree.SetCheck(root, CheckAction::Uncheck);
    MessageBoxAnswerer answer("Norvexa");
    m_dialog.OnShredNow();
    EXPECT_EQ(answer.Text(), "Please select some items.");
    EXPECT_EQ(DwordValue("Software\\Dravok\\nv", "Setting"), 0x81u) << "the user's own stays";
}

TEST_F(Locks, LockedEntriesAndItemsStayCheckedWhateverIsClicked) {
    Text(kPolicyKey + "\\Selection", "1", "Run History");
    Text(kPolicyKey + "\\Items", "1", "C:\\vxtest\\locked\\<*.tmp><SubFolder:No>");
    ASSERT_TRUE(m_dialog.Create());
    EXPECT_TRUE(IsWindowEnabled(m_dialog.m_slider.m_hWnd));
    EXPECT_FALSE(IsWindowEnabled(m_dialog.m_userDefineButton.m_hWnd));

    const HTREEITEM root = m_dialog.m_tree.GetRootItem();
    m_dialog.m_tree.SetCheck(root, CheckAction::Uncheck);
    m_dialog.m_tree.SetCheck(root, CheckAction::Check);
    std::vector<std::string> checked;
    for (HTREEITEM leaf = m_dialog.m_tree.GetFirstChecked(); leaf;
         leaf = m_dialog.m_tree.GetNextChecked(leaf))
        checked.push_back(std::string(m_dialog.m_tree.GetItemText(leaf)));
    EXPECT_EQ(checked, (std::vector<std::string>{"Run History",
                                                 "C:\\vxtest\\locked\\<*.tmp><SubFolder:No>"}));
    EXPECT_EQ(m_dialog.m_tree.GetStateImage(root), CCheckTreeCtrl::PartlyChecked);
    EXPECT_EQ(std::string(m_dialog.m_policyNote.m_text),
              "Set by your organisation: checked entries, user-defined items.");
}
