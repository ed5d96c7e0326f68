// The overwrite methods and the passes each of them writes.
#pragma once

#include "ChaChaRng.h"

#include <cstdint>
#include <optional>
#include <vector>

enum class EraseMethod { Gutmann, Dod5200_28Std, Dod5220_22M, PseudoRandom, Zeroes };

// One overwrite pass: random data, or a repeating pattern of three bytes (a one-byte pattern
// is the same byte three times). Byte k of the file gets pattern[k % 3].
struct Pass {
    bool random;
    uint8_t pattern[3];
    bool verify;
};

// The method named by the stored "Setting" value: the lowest set bit of bits 0 to 3 names the
// method, none of them means zeroes; no readable value means pseudo-random.
EraseMethod MethodFromSetting(std::optional<uint32_t> setting);

// The passes of a method; `rng` orders Gutmann's fixed patterns.
std::vector<Pass> PassesFor(EraseMethod method, ChaChaRng& rng);

// The 27 fixed patterns of Gutmann's table, in the table's order.
extern const uint8_t kGutmannPatterns[27][3];
