// Values read back as another program or a damaged profile may have left them.
#include "StoredValue.h"

#include <gtest/gtest.h>

namespace {

const uint8_t* Bytes(const char* text) {
    return reinterpret_cast<const uint8_t*>(text);
}

} // namespace

TEST(StoredValue, ANumberIsFourBytesOfTheNumberTypeOnly) {
    const uint8_t bytes[] = {0x88, 0, 0, 0, 0};
    EXPECT_EQ(StoredNumber(kStoredNumberType, bytes, 4), 0x88u);
    EXPECT_EQ(StoredNumber(kStoredNumberType, bytes, 2), std::nullopt);
    EXPECT_EQ(StoredNumber(kStoredNumberType, bytes, 5), std::nullopt);
    EXPECT_EQ(StoredNumber(kStoredTextType, bytes, 4), std::nullopt);
}

TEST(StoredValue, ATextEndsAtItsFirstZeroOrItsSize) {
    EXPECT_EQ(StoredText(kStoredTextType, Bytes("C:\\Real\0junk"), 12), "C:\\Real");
    EXPECT_EQ(StoredText(kStoredExpandableTextType, Bytes("%APPDATA%xyz"), 9), "%APPDATA%");
    EXPECT_EQ(StoredText(kStoredTextType, nullptr, 0), "");
    EXPECT_EQ(StoredText(kStoredNumberType, Bytes("abcd"), 4), std::nullopt);
    EXPECT_EQ(StoredText(3, Bytes("abcd"), 4), std::nullopt);
}
