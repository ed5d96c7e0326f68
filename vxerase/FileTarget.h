#pragma once

#include "Overwrite.h"

#include <windows.h>

#include <memory>
#include <vector>

// Cuts or extends the file to `length` bytes and leaves the file pointer there.
bool SetFileLength(HANDLE file, uint64_t length);

class WriteBehind;

// Passes written to an open file through the system's file calls. Once a pass has written a
// good stretch, the data already written is flushed on a second thread while the pass goes on,
// so that the device is busy while the next data is made. The file must stay open until the
// target is gone: its destructor waits for the flush thread to end.
class FileTarget : public OverwriteTarget {
public:
    // `direct`, when given, is a second handle on the file that reads past the system's cache,
    // in whole sectors of `sectorSize` bytes: a pass is then read back from the device itself.
    explicit FileTarget(HANDLE file, HANDLE direct = nullptr, DWORD sectorSize = 0);
    ~FileTarget() override;
    bool Rewind() override;
    bool Write(const uint8_t* data, size_t size) override;
    bool Flush() override;
    bool Read(uint8_t* data, size_t size) override;

private:
    static constexpr uint64_t kWriteBehindStretch = uint64_t(32) << 20;

    HANDLE m_file;
    HANDLE m_direct;
    DWORD m_sectorSize;
    uint64_t m_readOffset = 0;
    std::vector<uint8_t> m_sectors;
    uint64_t m_unflushed = 0;
    std::unique_ptr<WriteBehind> m_writeBehind;
};
