// The catalogue's check marks packed into six stored values of 16 bits.
#include "Selection.h"

#include <gtest/gtest.h>

TEST(Selection, PackAndUnpackKeepEveryBitAndPutTheLowBitsFirst) {
    const SelectionMask selection = SelectionMask(0x0FEDCBA987654321ull) | SelectionBit(64) |
                                    SelectionBit(81) | SelectionBit(95);
    const StoredSelection values = PackSelection(selection);
    EXPECT_EQ(values, (StoredSelection{0x4321, 0x8765, 0xCBA9, 0x0FED, 0x0001, 0x8002}));
    EXPECT_EQ(UnpackSelection(values), selection);
    EXPECT_EQ(UnpackSelection(PackSelection(SelectionBit(59))), SelectionBit(59));
}

TEST(Selection, ADamagedValueStaysInItsOwnSixteenBits) {
    EXPECT_EQ(UnpackSelection({0, 0xFFFFFFFF, 0x10000, 0, 0, 0}), SelectionMask(0xFFFF0000ull));
    EXPECT_EQ(UnpackSelection({0x12345, 0, 0, 0x7FFFFFFF, 0, 0x10001}),
              SelectionMask(0xFFFF000000002345ull) | SelectionBit(80));
}
