#pragma once

#include "Overwrite.h"

#include <windows.h>

// Cuts or extends the file to `length` bytes and leaves the file pointer there.
bool SetFileLength(HANDLE file, uint64_t length);

// Passes written to an open file through the system's file calls.
class FileTarget : public OverwriteTarget {
public:
    explicit FileTarget(HANDLE file) : m_file(file) {}
    bool Rewind() override;
    bool Write(const uint8_t* data, size_t size) override;
    bool Flush() override;
    bool Read(uint8_t* data, size_t size) override;

private:
    HANDLE m_file;
};
