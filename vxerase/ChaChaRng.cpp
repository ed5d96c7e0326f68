#include "ChaChaRng.h"

#include <cstring>

namespace {

typedef uint32_t u32x4 __attribute__((vector_size(16)));

inline uint32_t LoadLe32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

__attribute__((always_inline)) inline u32x4 Rotl(u32x4 v, int n) {
    return (v << n) | (v >> (32 - n));
}

#define VX_QUARTER(a, b, c, d)                                                                     \
    x[a] += x[b], x[d] = Rotl(x[d] ^ x[a], 16), x[c] += x[d], x[b] = Rotl(x[b] ^ x[c], 12),        \
                  x[a] += x[b], x[d] = Rotl(x[d] ^ x[a], 8), x[c] += x[d],                         \
                  x[b] = Rotl(x[b] ^ x[c], 7)

// Four blocks whose counters are state[12..13] + 0..3; writes 256 bytes and advances the counter.
__attribute__((always_inline)) inline void FourBlocks(uint32_t* state, int doubleRounds,
                                                      uint8_t* out) {
    u32x4 in[16];
    for (int i = 0; i < 16; ++i)
        in[i] = u32x4{state[i], state[i], state[i], state[i]};
    const uint64_t counter = uint64_t(state[12]) | uint64_t(state[13]) << 32;
    for (uint32_t lane = 0; lane < 4; ++lane) {
        in[12][lane] = uint32_t(counter + lane);
        in[13][lane] = uint32_t((counter + lane) >> 32);
    }
    u32x4 x[16];
    for (int i = 0; i < 16; ++i)
        x[i] = in[i];
    for (int r = 0; r < doubleRounds; ++r) {
        VX_QUARTER(0, 4, 8, 12);
        VX_QUARTER(1, 5, 9, 13);
        VX_QUARTER(2, 6, 10, 14);
        VX_QUARTER(3, 7, 11, 15);
        VX_QUARTER(0, 5, 10, 15);
        VX_QUARTER(1, 6, 11, 12);
        VX_QUARTER(2, 7, 8, 13);
        VX_QUARTER(3, 4, 9, 14);
    }
    for (int i = 0; i < 16; ++i) {
        const u32x4 word = x[i] + in[i];
        std::memcpy(out + 16 * i, &word, sizeof word);
    }
    const uint64_t next = counter + 4;
    state[12] = uint32_t(next);
    state[13] = uint32_t(next >> 32);
}

#undef VX_QUARTER

#if defined(__i386__) || defined(__x86_64__)
__attribute__((target("sse2"))) void FourBlocksSse2(uint32_t* state, int doubleRounds,
                                                    uint8_t* out) {
    FourBlocks(state, doubleRounds, out);
}
void FourBlocksPlain(uint32_t* state, int doubleRounds, uint8_t* out) {
    FourBlocks(state, doubleRounds, out);
}

void FourBlocksDispatch(uint32_t* state, int doubleRounds, uint8_t* out) {
    static const bool sse2 = __builtin_cpu_supports("sse2");
    if (sse2)
        FourBlocksSse2(state, doubleRounds, out);
    else
        FourBlocksPlain(state, doubleRounds, out);
}
#else
void FourBlocksDispatch(uint32_t* state, int doubleRounds, uint8_t* out) {
    FourBlocks(state, doubleRounds, out);
}
#endif

} // namespace

ChaChaRng::ChaChaRng(const uint8_t (&key)[kKeySize], uint64_t counter, uint64_t nonce, int rounds)
    : m_doubleRounds(rounds / 2) {
    m_state[0] = 0x61707865;
    m_state[1] = 0x3320646e;
    m_state[2] = 0x79622d32;
    m_state[3] = 0x6b206574;
    for (int i = 0; i < 8; ++i)
        m_state[4 + i] = LoadLe32(key + 4 * i);
    m_state[12] = uint32_t(counter);
    m_state[13] = uint32_t(counter >> 32);
    m_state[14] = uint32_t(nonce);
    m_state[15] = uint32_t(nonce >> 32);
}

void ChaChaRng::Fill(void* out, size_t size) {
    uint8_t* p = static_cast<uint8_t*>(out);
    for (; size >= kChunkSize; p += kChunkSize, size -= kChunkSize)
        FourBlocksDispatch(m_state, m_doubleRounds, p);
    if (size > 0) {
        uint8_t chunk[kChunkSize];
        FourBlocksDispatch(m_state, m_doubleRounds, chunk);
        std::memcpy(p, chunk, size);
    }
}

ChaChaRng ChaChaRng::Fork() {
    uint8_t key[kKeySize];
    Fill(key, sizeof key);
    return ChaChaRng(key, 0, 0, 2 * m_doubleRounds);
}
