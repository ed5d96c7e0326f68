// The organisation's policy as every run reads it: a lock before a default, the machine before
// the user, the user's own value between a lock and a default, and values that name nothing
// known ignored; a locked setting is never written over the user's own.
#include "Policy.h"

#include "Catalogue.h"
#include "KeepStore.h"
#include "ReportStore.h"
#include "StoredRun.h"
#include "UserItemStore.h"
#include "common/ValueGuard.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include <cstring>

namespace {

const std::string kPolicyKey = "Software\\Policies\\Dravok\\nv";
const std::string kDefaults = kPolicyKey + "\\Recommended";

void Text(HKEY root, const std::string& key, const char* name, const char* text) {
    ASSERT_EQ(WriteRegistryValue(root, key, name, REG_SZ, text, DWORD(std::strlen(text) + 1)),
              ERROR_SUCCESS);
}

void Number(HKEY root, const std::string& key, const char* name, DWORD number) {
    ASSERT_EQ(WriteRegistryValue(root, key, name, REG_DWORD, &number, sizeof number),
              ERROR_SUCCESS);
}

class PolicyRules : public ::testing::Test {
protected:
    void SetUp() override { RemovePolicies(); }
    void TearDown() override { RemovePolicies(); }
    static void RemovePolicies() {
        for (const HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
            SHDeleteKeyA(root, "Software\\Policies\\Dravok");
    }

    ValueGuard m_method{HKEY_CURRENT_USER, kSettingsKey, kMethodValue};
    ValueGuard m_reports{HKEY_CURRENT_USER, kSettingsKey, kReportsValue};
    ValueGuard m_kept{HKEY_CURRENT_USER, kSettingsKey, kReportsKeptValue};
};

} // namespace

TEST_F(PolicyRules, TheMachinesLockComesFirstThenTheUsersLockThenTheDefaults) {
    Text(HKEY_CURRENT_USER, kDefaults, "Method", "gutmann");
    Text(HKEY_LOCAL_MACHINE, kDefaults, "Method", "dod7");
    EXPECT_EQ(ReadPolicy().method->value, EraseMethod::Dod5200_28Std);
    EXPECT_FALSE(ReadPolicy().method->locked);
    Text(HKEY_CURRENT_USER, kPolicyKey, "Method", "ZERO");
    EXPECT_EQ(ReadPolicy().method->value, EraseMethod::Zeroes);
    Text(HKEY_LOCAL_MACHINE, kPolicyKey, "Method", "dod3");
    const Policy policy = ReadPolicy();
    EXPECT_EQ(policy.method->value, EraseMethod::Dod5220_22M);
    EXPECT_TRUE(policy.method->locked);
    EXPECT_EQ(LockedSettingsText(policy), "shred method");
}

TEST_F(PolicyRules, TheUsersOwnValueStandsBetweenALockAndADefault) {
    Text(HKEY_LOCAL_MACHINE, kDefaults, "Method", "dod3");
    DeleteRegistryValue(HKEY_CURRENT_USER, kSettingsKey, kMethodValue);
    EXPECT_EQ(ReadStoredMethod(), EraseMethod::Dod5220_22M) << "the default, with nothing stored";
    WriteStoredMethod(EraseMethod::Gutmann);
    EXPECT_EQ(ReadStoredMethod(), EraseMethod::Gutmann) << "the user changed the default";

    Text(HKEY_LOCAL_MACHINE, kPolicyKey, "Method", "random");
    EXPECT_EQ(ReadStoredMethod(), EraseMethod::PseudoRandom);
    WriteStoredMethod(EraseMethod::Zeroes);
    EXPECT_EQ(ProgramSettings().GetInt("", kMethodValue, 0), 0x81u)
        << "a lock is never written over the user's own value";
}

TEST_F(PolicyRules, ValuesOfAnotherTypeOrOutOfRangeOrNamingNothingAreNoSetting) {
    Number(HKEY_LOCAL_MACHINE, kPolicyKey, "Method", 1);
    Text(HKEY_CURRENT_USER, kPolicyKey, "Method", "fast");
    Number(HKEY_LOCAL_MACHINE, kPolicyKey, "ReportsKept", 0);
    Number(HKEY_CURRENT_USER, kPolicyKey, "ReportsKept", 10000);
    Number(HKEY_LOCAL_MACHINE, kPolicyKey, "Reports", 2);
    Text(HKEY_LOCAL_MACHINE, kPolicyKey + "\\Selection", "1", "No Such Entry");
    Text(HKEY_LOCAL_MACHINE, kPolicyKey + "\\Items", "1", "Temp\\<*.tmp><SubFolder:No>");
    Text(HKEY_LOCAL_MACHINE, kPolicyKey + "\\Items", "2", "C:\\Work\\<..\\*><SubFolder:No>");
    Text(HKEY_LOCAL_MACHINE, kPolicyKey + "\\Keep\\Sites", "1", "not a host!");
    Number(HKEY_LOCAL_MACHINE, kPolicyKey + "\\Keep\\Places", "1", 7);
    const Policy policy = ReadPolicy();
    EXPECT_FALSE(policy.method);
    EXPECT_FALSE(policy.reportsKept);
    EXPECT_FALSE(policy.reports);
    EXPECT_FALSE(policy.selection);
    EXPECT_FALSE(policy.items);
    EXPECT_FALSE(policy.keptSites);
    EXPECT_FALSE(policy.keptPlaces);
    EXPECT_EQ(LockedSettingsText(policy), "");
}

TEST_F(PolicyRules, ListsNameEntriesItemsAndKeptPlacesAsNvcAndTheKeepListsDo) {
    Text(HKEY_LOCAL_MACHINE, kPolicyKey + "\\Selection", "1", "mozilla firefox: history");
    Text(HKEY_LOCAL_MACHINE, kPolicyKey + "\\Selection", "2", "3");
    Text(HKEY_LOCAL_MACHINE, kPolicyKey + "\\Selection", "3", "No Such Entry");
    Text(HKEY_LOCAL_MACHINE, kPolicyKey + "\\Items", "1", "C:\\Work\\<*.tmp,*.bak><SubFolder:Yes>");
    Text(HKEY_LOCAL_MACHINE, kPolicyKey + "\\Keep\\Places", "1", "C:\\Work\\Keep");
    const Policy policy = ReadPolicy();
    ASSERT_TRUE(policy.selection);
    EXPECT_EQ(policy.selection->value,
              SelectionBit(3) | SelectionBit(EntryOfWord("Mozilla Firefox: History")->bit));
    ASSERT_TRUE(policy.items);
    EXPECT_EQ(policy.items->value,
              std::vector<std::string>{"C:\\Work\\<*.tmp,*.bak><SubFolder:Yes>"});

    const StoredKeep keep = ReadKeepLists();
    EXPECT_TRUE(keep.placesLocked);
    EXPECT_FALSE(keep.sitesLocked);
    EXPECT_EQ(keep.lists.places, std::vector<std::string>{"C:\\Work\\Keep"});

    bool locked = false;
    const auto items = ReadRunUserItems(locked);
    EXPECT_TRUE(locked);
    ASSERT_TRUE(items);
    ASSERT_EQ(items->size(), 1u);
    EXPECT_TRUE((*items)[0].selected);
    EXPECT_EQ(DisplayString((*items)[0].item), "C:\\Work\\<*.tmp,*.bak><SubFolder:Yes>");
}

TEST_F(PolicyRules, ReportSettingsFollowTheLockAndTheDefault) {
    Number(HKEY_CURRENT_USER, kDefaults, "ReportsKept", 7);
    DeleteRegistryValue(HKEY_CURRENT_USER, kSettingsKey, kReportsKeptValue);
    EXPECT_EQ(ReadReportSettings().kept, 7u);
    Number(HKEY_LOCAL_MACHINE, kPolicyKey, "Reports", 0);
    WriteReportSettings({true, 12});
    const ReportSettings settings = ReadReportSettings();
    EXPECT_FALSE(settings.keep) << "locked off";
    EXPECT_TRUE(settings.keepLocked);
    EXPECT_EQ(settings.kept, 12u) << "the user's own number, stored over the default";
    EXPECT_FALSE(settings.keptLocked);
}
