#include "ChaChaRng.h"

#include "common/Hex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// ChaCha20 keystream of blocks 1 to 4 for the key 00 01 .. 1f and the nonce 00 00 00 09 00 00 00 4a
// 00 00 00 00 of the published ChaCha20 block test vector.
const char kKeystream[] = "10f1e7e4d13b5915500fdd1fa32071c4c7d1f4c733c068030422aa9ac3d46c4e"
                          "d2826446079faa0914c2d705d98b02a2b5129cd1de164eb9cbd083e8a2503c4e"
                          "0a88837739d7bf4ef8ccacb0ea2bb9d69d56c394aa351dfda5bf459f0a2e9fe8"
                          "e721f89255f9c486bf21679c683d4f9c5cf2fa27865526005b06ca374c86af3b"
                          "dcbfbdcb83be65862ed5c20eae5a43241d6a92da6dca9a156be25297f51c2718"
                          "8a861e93cc3aeb129a76598baccd27453ac6941b4b4e1e5153a9fee95d1ba00e"
                          "69d09f0d336478ca9068335ae2b3090905fb0fe5d45115371d126e5ba85e9924"
                          "32729aa7d77ddc5e3cc689d8445c1ab754a7409ee8befc2bdd3868d27f6e1ad8";

ChaChaRng TestVectorRng() {
    uint8_t key[ChaChaRng::kKeySize];
    for (int i = 0; i < 32; ++i)
        key[i] = uint8_t(i);
    return ChaChaRng(key, uint64_t(0x09000000) << 32 | 1, 0x4a000000, 20);
}

// Word w of block b stands at word 4 * w + b of the output.
std::vector<uint8_t> Deinterleave(const uint8_t* out) {
    std::vector<uint8_t> blocks(ChaChaRng::kChunkSize);
    for (int b = 0; b < 4; ++b)
        for (int w = 0; w < 16; ++w)
            std::memcpy(&blocks[64 * b + 4 * w], out + 4 * (4 * w + b), 4);
    return blocks;
}

} // namespace

TEST(ChaChaRng, MatchesThePublishedKeystream) {
    ChaChaRng rng = TestVectorRng();
    uint8_t out[ChaChaRng::kChunkSize];
    rng.Fill(out, sizeof out);
    const std::vector<uint8_t> blocks = Deinterleave(out);
    EXPECT_EQ(Hex(blocks.data(), blocks.size()), kKeystream);
}

TEST(ChaChaRng, PartialChunksDiscardTheRestAndTheCounterAdvances) {
    ChaChaRng whole = TestVectorRng();
    ChaChaRng pieces = TestVectorRng();
    uint8_t a[3 * ChaChaRng::kChunkSize], b[3 * ChaChaRng::kChunkSize] = {};
    whole.Fill(a, sizeof a);
    pieces.Fill(b, 10);
    pieces.Fill(b + ChaChaRng::kChunkSize, 2 * ChaChaRng::kChunkSize);
    EXPECT_EQ(std::memcmp(a, b, 10), 0);
    EXPECT_EQ(std::memcmp(a + ChaChaRng::kChunkSize, b + ChaChaRng::kChunkSize,
                          2 * ChaChaRng::kChunkSize),
              0);
}

// A long fill takes the widest vector code the processor has; one chunk at a time takes the
// four-block code. Both give the same stream.
TEST(ChaChaRng, LongFillsMatchChunkByChunkFills) {
    ChaChaRng whole = TestVectorRng();
    ChaChaRng pieces = TestVectorRng();
    std::vector<uint8_t> a(7 * ChaChaRng::kChunkSize + 100), b(a.size());
    whole.Fill(a.data(), a.size());
    for (size_t at = 0; at < b.size(); at += ChaChaRng::kChunkSize)
        pieces.Fill(&b[at], std::min(ChaChaRng::kChunkSize, b.size() - at));
    EXPECT_EQ(a, b);
    const std::vector<uint8_t> blocks = Deinterleave(a.data());
    EXPECT_EQ(Hex(blocks.data(), blocks.size()), kKeystream);
}

TEST(ChaChaRng, ForkedStreamsAreIndependent) {
    ChaChaRng parent = TestVectorRng();
    ChaChaRng first = parent.Fork();
    ChaChaRng second = parent.Fork();
    uint8_t a[64], b[64];
    first.Fill(a, sizeof a);
    second.Fill(b, sizeof b);
    EXPECT_NE(std::memcmp(a, b, sizeof a), 0);
}
