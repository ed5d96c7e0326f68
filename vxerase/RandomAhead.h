// The random chunks of one pass, made on a second thread one chunk ahead of the writer, so that
// the generator and the device work at the same time.
#pragma once

#include "ChaChaRng.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

class RandomAhead {
public:
    // The chunks cover `length` bytes in steps of at most `chunk` bytes, and hold exactly the
    // bytes that filling them one after the other from `rng` gives. Throws when the thread or
    // the memory cannot be had.
    RandomAhead(const ChaChaRng& rng, uint64_t length, size_t chunk);
    ~RandomAhead();
    RandomAhead(const RandomAhead&) = delete;
    RandomAhead& operator=(const RandomAhead&) = delete;

    // The next chunk, valid until the following call.
    const uint8_t* Next();

private:
    void Make();

    ChaChaRng m_rng;
    const uint64_t m_length;
    const size_t m_chunk;
    std::vector<uint8_t> m_buffers[2];
    std::mutex m_lock;
    std::condition_variable m_changed;
    uint64_t m_made = 0;
    uint64_t m_taken = 0;
    bool m_stop = false;
    std::thread m_thread;
};
