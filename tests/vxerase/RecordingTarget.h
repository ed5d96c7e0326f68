// An in-memory target that keeps a copy of its content at every flush, so that tests see each
// pass exactly as it was written.
#pragma once

#include "Overwrite.h"

#include <atomic>
#include <cstring>
#include <functional>
#include <vector>

class RecordingTarget : public OverwriteTarget {
public:
    std::vector<std::vector<uint8_t>> flushed;
    std::vector<int> readsBeforeFlush; // reads done between one flush and the next
    int corruptReads = 0;              // this many read-backs return one wrong byte
    std::function<void(size_t)> onWrite;

    bool Rewind() override {
        m_position = 0;
        return true;
    }
    bool Write(const uint8_t* data, size_t size) override {
        if (m_content.size() < m_position + size)
            m_content.resize(m_position + size);
        std::memcpy(m_content.data() + m_position, data, size);
        m_position += size;
        ++m_writes;
        if (onWrite)
            onWrite(m_writes);
        return true;
    }
    bool Flush() override {
        flushed.push_back(m_content);
        readsBeforeFlush.push_back(0);
        return true;
    }
    bool Read(uint8_t* data, size_t size) override {
        if (m_position + size > m_content.size())
            return false;
        std::memcpy(data, m_content.data() + m_position, size);
        if (m_position == 0 && corruptReads > 0) {
            --corruptReads;
            data[0] ^= 0xFF;
        }
        m_position += size;
        ++readsBeforeFlush.back();
        return true;
    }
    size_t Writes() const { return m_writes; }

private:
    std::vector<uint8_t> m_content;
    size_t m_position = 0;
    size_t m_writes = 0;
};
