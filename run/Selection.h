// The check marks of the catalogue: one bit per entry, bits 0 to 59 for the sixty entries of old
// and 64 to 95 for the browsers, stored as six values of 16 bits each, lowest bits first. Older
// versions read the first four and leave the others alone.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>

using SelectionMask = std::bitset<96>;
using StoredSelection = std::array<uint32_t, 6>;

inline SelectionMask SelectionBit(int bit) {
    return SelectionMask().set(size_t(bit));
}

// A stored value outside 0 to 65535 keeps only its low 16 bits, so that a damaged value cannot
// spill into the bits of the others.
SelectionMask UnpackSelection(const StoredSelection& values);
StoredSelection PackSelection(const SelectionMask& selection);
