#include "ChaChaRng.h"

#include <cstring>

namespace {

typedef uint32_t u32x4 __attribute__((vector_size(16)));
typedef uint32_t u32x8 __attribute__((vector_size(32)));
typedef uint32_t u32x16 __attribute__((vector_size(64)));

inline uint32_t LoadLe32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

#define VX_ROTL(v, n) ((v) << (n) | (v) >> (32 - (n)))

#define VX_QUARTER(a, b, c, d)                                                                     \
    x[a] += x[b], x[d] = VX_ROTL(x[d] ^ x[a], 16), x[c] += x[d], x[b] = VX_ROTL(x[b] ^ x[c], 12),  \
                  x[a] += x[b], x[d] = VX_ROTL(x[d] ^ x[a], 8), x[c] += x[d],                      \
                  x[b] = VX_ROTL(x[b] ^ x[c], 7)

// Blocks side by side, one per lane of V, whose counters are state[12..13] + lane. Every four
// lanes write one 256-byte chunk in which word w of their blocks stands at bytes 16 w to 16 w + 15,
// so eight or sixteen lanes give the same bytes as two or four runs of four. Advances the counter
// past the blocks.
template <typename V>
__attribute__((always_inline)) inline void Blocks(uint32_t* state, int doubleRounds, uint8_t* out) {
    constexpr int kLanes = sizeof(V) / sizeof(uint32_t);
    const uint64_t counter = uint64_t(state[12]) | uint64_t(state[13]) << 32;
    V low, high;
    for (int lane = 0; lane < kLanes; ++lane) {
        low[lane] = uint32_t(counter + lane);
        high[lane] = uint32_t((counter + lane) >> 32);
    }
    // The input words are taken again from `state` where they are added back, not kept in
    // vectors: a 32-bit process has only eight vector registers, and kept inputs would be
    // spilled to memory and read back on every round.
#define VX_INPUT(i) ((i) == 12 ? low : (i) == 13 ? high : state[i] + V{})
    V x[16];
    for (int i = 0; i < 16; ++i)
        x[i] = VX_INPUT(i);
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
        const V word = x[i] + VX_INPUT(i);
        for (int half = 0; half < kLanes / 4; ++half)
            std::memcpy(out + ChaChaRng::kChunkSize * half + 16 * i,
                        reinterpret_cast<const uint8_t*>(&word) + 16 * half, 16);
    }
    const uint64_t next = counter + kLanes;
    state[12] = uint32_t(next);
    state[13] = uint32_t(next >> 32);
}

#undef VX_INPUT
#undef VX_QUARTER
#undef VX_ROTL

// Fills whole chunks with as many blocks side by side as V has lanes, the rest four at a time.
template <typename V>
__attribute__((always_inline)) inline void ChunksOf(uint32_t* state, int doubleRounds, uint8_t* out,
                                                    size_t chunks) {
    constexpr size_t kStep = sizeof(V) / sizeof(u32x4);
    for (; chunks >= kStep; chunks -= kStep, out += kStep * ChaChaRng::kChunkSize)
        Blocks<V>(state, doubleRounds, out);
    for (; chunks > 0; --chunks, out += ChaChaRng::kChunkSize)
        Blocks<u32x4>(state, doubleRounds, out);
}

// The widest vector code the processor runs is chosen once; the plain code stays for processors
// without vector extensions.
#if defined(__i386__) || defined(__x86_64__)
__attribute__((target("avx512f"))) void ChunksAvx512(uint32_t* state, int doubleRounds,
                                                     uint8_t* out, size_t chunks) {
    ChunksOf<u32x16>(state, doubleRounds, out, chunks);
}
__attribute__((target("avx2"))) void ChunksAvx2(uint32_t* state, int doubleRounds, uint8_t* out,
                                                size_t chunks) {
    ChunksOf<u32x8>(state, doubleRounds, out, chunks);
}
__attribute__((target("sse2"))) void ChunksSse2(uint32_t* state, int doubleRounds, uint8_t* out,
                                                size_t chunks) {
    ChunksOf<u32x4>(state, doubleRounds, out, chunks);
}
void ChunksPlain(uint32_t* state, int doubleRounds, uint8_t* out, size_t chunks) {
    ChunksOf<u32x4>(state, doubleRounds, out, chunks);
}

void Chunks(uint32_t* state, int doubleRounds, uint8_t* out, size_t chunks) {
    static const auto fill = __builtin_cpu_supports("avx512f") ? ChunksAvx512
                             : __builtin_cpu_supports("avx2")  ? ChunksAvx2
                             : __builtin_cpu_supports("sse2")  ? ChunksSse2
                                                               : ChunksPlain;
    fill(state, doubleRounds, out, chunks);
}
#else
void Chunks(uint32_t* state, int doubleRounds, uint8_t* out, size_t chunks) {
    ChunksOf<u32x4>(state, doubleRounds, out, chunks);
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
    const size_t whole = size / kChunkSize;
    Chunks(m_state, m_doubleRounds, p, whole);
    if (size % kChunkSize > 0) {
        uint8_t chunk[kChunkSize];
        Chunks(m_state, m_doubleRounds, chunk, 1);
        std::memcpy(p + whole * kChunkSize, chunk, size % kChunkSize);
    }
}

ChaChaRng ChaChaRng::Fork() {
    uint8_t key[kKeySize];
    Fill(key, sizeof key);
    return ChaChaRng(key, 0, 0, 2 * m_doubleRounds);
}
