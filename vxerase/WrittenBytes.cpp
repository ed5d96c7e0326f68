#include "WrittenBytes.h"

#include <atomic>

namespace {
std::atomic<uint64_t> g_written{0};
} // namespace

void CountWritten(uint64_t bytes) {
    g_written.fetch_add(bytes, std::memory_order_relaxed);
}

uint64_t WrittenSoFar() {
    return g_written.load(std::memory_order_relaxed);
}
