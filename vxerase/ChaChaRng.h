// A fast cryptographically secure generator: the keystream of the ChaCha stream cipher with 8
// rounds (any even count on request), four or eight blocks at a time. The output is the keystream
// of four consecutive blocks with their 32-bit words interleaved (word w of blocks 0..3, then word
// w+1,
// ...), which keeps every byte as unpredictable as the plain keystream while letting the blocks
// be computed side by side.
#pragma once

#include <cstddef>
#include <cstdint>

class ChaChaRng {
public:
    static constexpr size_t kKeySize = 32;
    static constexpr size_t kChunkSize = 256;

    static constexpr int kDefaultRounds = 8;

    ChaChaRng(const uint8_t (&key)[kKeySize], uint64_t counter = 0, uint64_t nonce = 0,
              int rounds = kDefaultRounds);

    // Fills `size` bytes. Output comes in chunks of kChunkSize; the unused part of a last,
    // partial chunk is discarded, so the same sequence of sizes always yields the same bytes.
    void Fill(void* out, size_t size);

    // A new generator keyed from this one's output: independent streams for independent uses.
    ChaChaRng Fork();

private:
    uint32_t m_state[16];
    int m_doubleRounds;
};
