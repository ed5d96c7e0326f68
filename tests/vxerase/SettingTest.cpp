// The method is read from the stored setting of the current user each time it is asked for.
#include "Setting.h"

#include "common/SettingGuard.h"

#include <gtest/gtest.h>

TEST(StoredMethod, FollowsTheStoredValueAndFallsBackToPseudoRandom) {
    SettingGuard guard;

    SettingGuard::Remove();
    EXPECT_EQ(StoredMethod(), EraseMethod::PseudoRandom);

    SettingGuard::WriteDword(0x84);
    EXPECT_EQ(StoredMethod(), EraseMethod::Dod5220_22M);
    SettingGuard::WriteDword(0x90);
    EXPECT_EQ(StoredMethod(), EraseMethod::Zeroes);
    SettingGuard::WriteDword(0x81);
    EXPECT_EQ(StoredMethod(), EraseMethod::Gutmann);
}

TEST(StoredMethod, AValueOfTheWrongTypeOrSizeCountsAsAbsent) {
    SettingGuard guard;

    SettingGuard::Write(REG_SZ, "129", 4);
    EXPECT_EQ(StoredMethod(), EraseMethod::PseudoRandom);

    const BYTE shortValue[2] = {0x81, 0x00};
    SettingGuard::Write(REG_BINARY, shortValue, sizeof shortValue);
    EXPECT_EQ(StoredMethod(), EraseMethod::PseudoRandom);

    const BYTE binaryDword[4] = {0x81, 0, 0, 0};
    SettingGuard::Write(REG_BINARY, binaryDword, sizeof binaryDword);
    EXPECT_EQ(StoredMethod(), EraseMethod::PseudoRandom);
}
