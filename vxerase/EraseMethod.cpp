#include "EraseMethod.h"

#include <utility>

const uint8_t kGutmannPatterns[27][3] = {
    {0x55, 0x55, 0x55}, {0xAA, 0xAA, 0xAA}, {0x92, 0x49, 0x24}, {0x49, 0x24, 0x92},
    {0x24, 0x92, 0x49}, {0x00, 0x00, 0x00}, {0x11, 0x11, 0x11}, {0x22, 0x22, 0x22},
    {0x33, 0x33, 0x33}, {0x44, 0x44, 0x44}, {0x55, 0x55, 0x55}, {0x66, 0x66, 0x66},
    {0x77, 0x77, 0x77}, {0x88, 0x88, 0x88}, {0x99, 0x99, 0x99}, {0xAA, 0xAA, 0xAA},
    {0xBB, 0xBB, 0xBB}, {0xCC, 0xCC, 0xCC}, {0xDD, 0xDD, 0xDD}, {0xEE, 0xEE, 0xEE},
    {0xFF, 0xFF, 0xFF}, {0x92, 0x49, 0x24}, {0x49, 0x24, 0x92}, {0x24, 0x92, 0x49},
    {0x6D, 0xB6, 0xDB}, {0xB6, 0xDB, 0x6D}, {0xDB, 0x6D, 0xB6},
};

namespace {

Pass Random(bool verify = false) {
    return Pass{true, {0, 0, 0}, verify};
}

Pass Byte(uint8_t value, bool verify = false) {
    return Pass{false, {value, value, value}, verify};
}

uint32_t Below(ChaChaRng& rng, uint32_t bound) {
    uint32_t value;
    const uint32_t limit = UINT32_MAX - UINT32_MAX % bound;
    do {
        rng.Fill(&value, sizeof value);
    } while (value >= limit);
    return value % bound;
}

std::vector<Pass> Gutmann(ChaChaRng& rng) {
    std::vector<Pass> fixed;
    for (const auto& pattern : kGutmannPatterns)
        fixed.push_back(Pass{false, {pattern[0], pattern[1], pattern[2]}, false});
    for (uint32_t i = uint32_t(fixed.size()) - 1; i > 0; --i)
        std::swap(fixed[i], fixed[Below(rng, i + 1)]);

    std::vector<Pass> passes(4, Random());
    passes.insert(passes.end(), fixed.begin(), fixed.end());
    passes.insert(passes.end(), 4, Random());
    return passes;
}

} // namespace

std::vector<Pass> PassesForCompressed(const std::vector<Pass>& passes) {
    std::vector<Pass> covered = passes;
    if (covered.empty() || !covered.front().random)
        covered.insert(covered.begin(), Random());
    return covered;
}

std::vector<Pass> PassesFor(EraseMethod method, ChaChaRng& rng) {
    switch (method) {
    case EraseMethod::Gutmann:
        return Gutmann(rng);
    case EraseMethod::Dod5200_28Std:
        return {Byte(0x00), Byte(0xFF), Random(), Random(), Byte(0x00), Byte(0xFF), Random(true)};
    case EraseMethod::Dod5220_22M:
        return {Byte(0x00), Byte(0xFF), Random(true)};
    case EraseMethod::PseudoRandom:
        return {Random()};
    case EraseMethod::Zeroes:
        break;
    }
    return {Byte(0x00)};
}
