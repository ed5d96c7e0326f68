// The check marks a run takes from the registry: what a fresh account starts with, and the two
// values of the browsers beside the four that older versions read.
#include "StoredRun.h"

#include "Catalogue.h"
#include "common/ValueGuard.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class StoredMarks : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* value : kSelectionValues) {
            m_guards.push_back(
                std::make_unique<ValueGuard>(HKEY_CURRENT_USER, kSettingsKey, value));
            DeleteRegistryValue(HKEY_CURRENT_USER, kSettingsKey, value);
        }
    }

    std::vector<std::unique_ptr<ValueGuard>> m_guards;
};

} // namespace

TEST_F(StoredMarks, AFreshAccountChecksEveryEntryButTheSavedPasswords) {
    const SelectionMask marks = ReadStoredSelection();
    for (const CatalogueEntry& entry : kCatalogue)
        EXPECT_EQ(marks.test(size_t(entry.bit)), !NeedsConfirmation(entry))
            << CategoryName(entry.category) << ": " << entry.name;
}

TEST_F(StoredMarks, TheBrowsersBitsGoToValuesOfTheirOwn) {
    WriteStoredSelection(SelectionBit(3) | SelectionBit(70) | SelectionBit(81));
    EXPECT_EQ(ProgramSettings().GetInt("", "Data1", -1), 8u);
    EXPECT_EQ(ProgramSettings().GetInt("", "Data4", -1), 0u);
    EXPECT_EQ(ProgramSettings().GetInt("", "Data5", -1), 1u << 6);
    EXPECT_EQ(ProgramSettings().GetInt("", "Data6", -1), 1u << 1);
    EXPECT_EQ(ReadStoredSelection(), SelectionBit(3) | SelectionBit(70) | SelectionBit(81));
}
