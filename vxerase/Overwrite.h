// Writes the passes of a method over a target of a given length.
#pragma once

#include "ChaChaRng.h"
#include "EraseMethod.h"
#include "RandomAhead.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Where the passes go: an open file, or a recorder in tests. Every call returns false on failure.
class OverwriteTarget {
public:
    virtual ~OverwriteTarget() = default;
    virtual bool Rewind() = 0;
    virtual bool Write(const uint8_t* data, size_t size) = 0;
    virtual bool Flush() = 0;
    virtual bool Read(uint8_t* data, size_t size) = 0;
};

// The bytes of one pass over `length` bytes, produced chunk by chunk for consecutive offsets from
// offset 0. Three-byte patterns stay in phase whatever the chunk sizes. A random pass of more than
// one chunk is made on a second thread while the caller writes the chunk before.
class PassStream {
public:
    static constexpr size_t kMaxChunk = size_t(3) << 20;

    // `buffer` is scratch memory shared by successive streams, so that small files do not pay
    // for a full-size pattern buffer on every pass.
    PassStream(const Pass& pass, const ChaChaRng& rng, std::vector<uint8_t>& buffer,
               uint64_t length);

    // The next `size` bytes, valid until the next call. The sizes are those of the pass's chunks
    // in turn: kMaxChunk, and what is left for the last.
    const uint8_t* Next(size_t size);

private:
    Pass m_pass;
    ChaChaRng m_rng;
    std::vector<uint8_t>& m_buffer;
    uint64_t m_offset = 0;
    std::unique_ptr<RandomAhead> m_ahead;
};

enum class OverwriteResult { Done, Cancelled, Failed };

// Who flushes the last pass: the overwrite itself, or the caller, who may flush several targets
// together. A last pass that is read back is always flushed first.
enum class LastFlush { Here, ByCaller };

// Writes every pass over the first `length` bytes of the target, flushing after each pass and
// reading back the passes that the method verifies (a pass that reads back wrong is written
// once more). `cancel` is polled before every chunk.
OverwriteResult Overwrite(OverwriteTarget& target, uint64_t length, const std::vector<Pass>& passes,
                          ChaChaRng& rng, std::vector<uint8_t>& buffer,
                          const std::atomic<bool>& cancel, LastFlush lastFlush = LastFlush::Here);
