// Speed of the erase component's generator filling a buffer of one pass chunk, against memset of
// the same buffer, in GiB/s. Built for Windows (vxrngbench.exe) and natively by bench/run.
//
//   rngbench            prints "chacha <GiB/s>" and "memset <GiB/s>"
#include "ChaChaRng.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// The chunk the erase component fills and writes at a time.
constexpr size_t kBufferSize = size_t(3) << 20;
constexpr double kMinSeconds = 0.5;
constexpr int kMinRounds = 16;

volatile uint8_t g_sink;

// GiB/s of `fill` over the buffer, repeated for at least kMinSeconds after one warm-up round.
template <typename Fill> double Speed(std::vector<uint8_t>& buffer, Fill fill) {
    using Clock = std::chrono::steady_clock;
    fill(0);
    const Clock::time_point start = Clock::now();
    double seconds = 0;
    int rounds = 0;
    while (rounds < kMinRounds || seconds < kMinSeconds) {
        fill(++rounds);
        g_sink = g_sink + buffer[size_t(rounds) * 4099 % buffer.size()];
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
    }
    return double(rounds) * double(buffer.size()) / seconds / double(1u << 30);
}

} // namespace

int main() {
    std::vector<uint8_t> buffer(kBufferSize);
    const uint8_t key[ChaChaRng::kKeySize] = {1, 2, 3, 4};
    ChaChaRng rng(key);
    const double chacha = Speed(buffer, [&](int) { rng.Fill(buffer.data(), buffer.size()); });
    const double memset =
        Speed(buffer, [&](int round) { std::memset(buffer.data(), round, buffer.size()); });
    std::printf("chacha %.3f\nmemset %.3f\n", chacha, memset);
    return 0;
}
