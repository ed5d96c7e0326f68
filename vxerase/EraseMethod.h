// The overwrite methods and the passes each of them writes.
#pragma once

#include "ChaChaRng.h"
#include "StoredSettings.h"

#include <cstdint>
#include <vector>

// One overwrite pass: random data, or a repeating pattern of three bytes (a one-byte pattern
// is the same byte three times). Byte k of the file gets pattern[k % 3].
struct Pass {
    bool random;
    uint8_t pattern[3];
    bool verify;
};

// The passes of a method; `rng` orders Gutmann's fixed patterns.
std::vector<Pass> PassesFor(EraseMethod method, ChaChaRng& rng);

// The passes for a file the file system keeps compressed or sparse. There a pass of a pattern
// that compresses to nothing makes the file system free the file's clusters instead of covering
// them, and a later pass lands elsewhere: such a file gets a pass of random data first, which
// cannot compress, unless its first pass is random already.
std::vector<Pass> PassesForCompressed(const std::vector<Pass>& passes);

// The 27 fixed patterns of Gutmann's table, in the table's order.
extern const uint8_t kGutmannPatterns[27][3];
