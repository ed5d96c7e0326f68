#include "Overwrite.h"

#include <algorithm>
#include <cstring>

namespace {

size_t ChunkSize(uint64_t length) {
    return size_t(std::min<uint64_t>(length, PassStream::kMaxChunk));
}

// Without a second thread or its buffers, the pass is made on the caller's thread.
std::unique_ptr<RandomAhead> MadeAhead(const ChaChaRng& rng, uint64_t length) try {
    return std::make_unique<RandomAhead>(rng, length, PassStream::kMaxChunk);
} catch (...) {
    return nullptr;
}

} // namespace

PassStream::PassStream(const Pass& pass, const ChaChaRng& rng, std::vector<uint8_t>& buffer,
                       uint64_t length)
    : m_pass(pass), m_rng(rng), m_buffer(buffer) {
    if (m_pass.random && length > kMaxChunk)
        m_ahead = MadeAhead(rng, length);
    if (m_ahead)
        return;
    const size_t needed = ChunkSize(length) + 2;
    if (m_buffer.size() < needed)
        m_buffer.resize(needed);
    if (!m_pass.random)
        for (size_t i = 0; i < needed; ++i)
            m_buffer[i] = m_pass.pattern[i % 3];
}

const uint8_t* PassStream::Next(size_t size) {
    const uint8_t* chunk;
    if (m_ahead) {
        chunk = m_ahead->Next();
    } else if (m_pass.random) {
        m_rng.Fill(m_buffer.data(), size);
        chunk = m_buffer.data();
    } else {
        chunk = m_buffer.data() + m_offset % 3;
    }
    m_offset += size;
    return chunk;
}

namespace {

// The first chunk of the first pass is always written, so that a cancelled overwrite has
// destroyed at least the start of the data before its target is removed.
OverwriteResult WritePass(OverwriteTarget& target, uint64_t length, const Pass& pass,
                          const ChaChaRng& rng, std::vector<uint8_t>& buffer,
                          const std::atomic<bool>& cancel, bool firstPass, bool flush) {
    if (!target.Rewind())
        return OverwriteResult::Failed;
    PassStream stream(pass, rng, buffer, length);
    for (uint64_t done = 0; done < length;) {
        if ((done > 0 || !firstPass) && cancel.load(std::memory_order_relaxed))
            return OverwriteResult::Cancelled;
        const size_t size = ChunkSize(length - done);
        if (!target.Write(stream.Next(size), size))
            return OverwriteResult::Failed;
        done += size;
    }
    return !flush || target.Flush() ? OverwriteResult::Done : OverwriteResult::Failed;
}

bool ReadsBack(OverwriteTarget& target, uint64_t length, const Pass& pass, const ChaChaRng& rng,
               std::vector<uint8_t>& buffer, std::vector<uint8_t>& readBuffer) {
    if (!target.Rewind())
        return false;
    PassStream stream(pass, rng, buffer, length);
    readBuffer.resize(ChunkSize(length));
    for (uint64_t done = 0; done < length;) {
        const size_t size = ChunkSize(length - done);
        if (!target.Read(readBuffer.data(), size) ||
            std::memcmp(readBuffer.data(), stream.Next(size), size) != 0)
            return false;
        done += size;
    }
    return true;
}

} // namespace

OverwriteResult Overwrite(OverwriteTarget& target, uint64_t length, const std::vector<Pass>& passes,
                          ChaChaRng& rng, std::vector<uint8_t>& buffer,
                          const std::atomic<bool>& cancel, LastFlush lastFlush) {
    std::vector<uint8_t> readBuffer;
    for (const Pass& pass : passes) {
        const ChaChaRng passRng = rng.Fork();
        const bool firstPass = &pass == &passes.front();
        const bool flush = lastFlush == LastFlush::Here || &pass != &passes.back() || pass.verify;
        OverwriteResult result =
            WritePass(target, length, pass, passRng, buffer, cancel, firstPass, flush);
        if (result != OverwriteResult::Done)
            return result;
        if (!pass.verify || ReadsBack(target, length, pass, passRng, buffer, readBuffer))
            continue;
        result = WritePass(target, length, pass, passRng, buffer, cancel, false, true);
        if (result != OverwriteResult::Done)
            return result;
        if (!ReadsBack(target, length, pass, passRng, buffer, readBuffer))
            return OverwriteResult::Failed;
    }
    return OverwriteResult::Done;
}
