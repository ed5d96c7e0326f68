// The check marks of the catalogue: one bit per entry, bits 0 to 59, stored as four values of
// 16 bits each, lowest bits first.
#pragma once

#include <array>
#include <cstdint>

using SelectionMask = uint64_t;
using StoredSelection = std::array<uint32_t, 4>;

constexpr SelectionMask SelectionBit(int bit) {
    return SelectionMask(1) << bit;
}

// A stored value outside 0 to 65535 keeps only its low 16 bits, so that a damaged value cannot
// spill into the bits of the others.
SelectionMask UnpackSelection(const StoredSelection& values);
StoredSelection PackSelection(SelectionMask selection);
