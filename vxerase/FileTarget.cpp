#include "FileTarget.h"

#include "WrittenBytes.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

bool SetFileLength(HANDLE file, uint64_t length) {
    LARGE_INTEGER position;
    position.QuadPart = LONGLONG(length);
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

// A thread that flushes the file whenever asked, one flush at a time.
class WriteBehind {
public:
    // A mutex takes its memory at its first lock. Taken here first, a lack of memory reaches
    // the caller instead of ending the process on the flush thread.
    explicit WriteBehind(HANDLE file) : m_file(file) {
        { std::lock_guard<std::mutex> guard(m_lock); }
        m_thread = std::thread([this] { Loop(); });
    }
    ~WriteBehind() {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_stop = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }

    void Request() {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_requested = true;
        }
        m_changed.notify_all();
    }

    void WaitIdle() {
        std::unique_lock<std::mutex> lock(m_lock);
        m_changed.wait(lock, [this] { return !m_requested && !m_flushing; });
    }

private:
    void Loop() {
        std::unique_lock<std::mutex> lock(m_lock);
        for (;;) {
            m_changed.wait(lock, [this] { return m_requested || m_stop; });
            if (m_stop)
                return;
            m_requested = false;
            m_flushing = true;
            lock.unlock();
            FlushFileBuffers(m_file);
            lock.lock();
            m_flushing = false;
            m_changed.notify_all();
        }
    }

    HANDLE m_file;
    std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_requested = false;
    bool m_flushing = false;
    bool m_stop = false;
    std::thread m_thread;
};

FileTarget::FileTarget(HANDLE file, HANDLE direct, DWORD sectorSize)
    : m_file(file), m_direct(direct), m_sectorSize(sectorSize ? sectorSize : 4096) {}

FileTarget::~FileTarget() = default;

bool FileTarget::Rewind() {
    m_readOffset = 0;
    LARGE_INTEGER start{};
    return SetFilePointerEx(m_file, start, nullptr, FILE_BEGIN) != FALSE;
}

bool FileTarget::Write(const uint8_t* data, size_t size) {
    for (size_t left = size; left > 0;) {
        DWORD written = 0;
        if (!WriteFile(m_file, data, DWORD(left), &written, nullptr) || written == 0)
            return false;
        data += written;
        left -= written;
        CountWritten(written);
    }
    m_unflushed += size;
    if (m_unflushed >= kWriteBehindStretch) {
        if (!m_writeBehind)
            m_writeBehind = std::make_unique<WriteBehind>(m_file);
        m_writeBehind->Request();
        m_unflushed = 0;
    }
    return true;
}

bool FileTarget::Flush() {
    if (m_writeBehind)
        m_writeBehind->WaitIdle();
    m_unflushed = 0;
    return FlushFileBuffers(m_file) != FALSE;
}

// Reads past the cache take whole sectors into memory aligned to a sector (a page at least), at
// offsets that are whole chunks; the end of the file shortens the last.
bool FileTarget::Read(uint8_t* data, size_t size) {
    if (m_direct) {
        const size_t align = std::max<size_t>(m_sectorSize, 4096);
        const size_t whole = (size + m_sectorSize - 1) / m_sectorSize * m_sectorSize;
        m_sectors.resize(whole + align);
        uint8_t* sectors = m_sectors.data() + (align - uintptr_t(m_sectors.data()) % align) % align;
        OVERLAPPED at = {};
        at.Offset = DWORD(m_readOffset);
        at.OffsetHigh = DWORD(m_readOffset >> 32);
        DWORD read = 0;
        if (!ReadFile(m_direct, sectors, DWORD(whole), &read, &at) || read < size)
            return false;
        std::memcpy(data, sectors, size);
        m_readOffset += size;
        return true;
    }
    while (size > 0) {
        DWORD read = 0;
        if (!ReadFile(m_file, data, DWORD(size), &read, nullptr) || read == 0)
            return false;
        data += read;
        size -= read;
    }
    return true;
}
