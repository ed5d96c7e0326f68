#include "RandomAhead.h"

#include <algorithm>

// A mutex takes its memory at its first lock. Taken here first, a lack of memory reaches the
// caller instead of ending the process on the second thread.
RandomAhead::RandomAhead(const ChaChaRng& rng, uint64_t length, size_t chunk)
    : m_rng(rng), m_length(length), m_chunk(chunk) {
    m_buffers[0].resize(chunk);
    m_buffers[1].resize(chunk);
    { std::lock_guard<std::mutex> guard(m_lock); }
    m_thread = std::thread([this] { Make(); });
}

RandomAhead::~RandomAhead() {
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_stop = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

// Chunk k goes to buffer k % 2 once chunk k - 2 is no longer handed out, that is once chunk k - 1
// has been taken.
void RandomAhead::Make() {
    uint64_t chunk = 0;
    for (uint64_t done = 0; done < m_length; done += m_chunk, ++chunk) {
        {
            std::unique_lock<std::mutex> lock(m_lock);
            m_changed.wait(lock, [&] { return m_stop || chunk < 2 || chunk <= m_taken; });
            if (m_stop)
                return;
        }
        m_rng.Fill(m_buffers[chunk % 2].data(),
                   size_t(std::min<uint64_t>(m_chunk, m_length - done)));
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_made = chunk + 1;
        }
        m_changed.notify_all();
    }
}

const uint8_t* RandomAhead::Next() {
    std::unique_lock<std::mutex> lock(m_lock);
    const uint64_t chunk = m_taken++;
    m_changed.notify_all();
    m_changed.wait(lock, [&] { return m_made > chunk; });
    return m_buffers[chunk % 2].data();
}
