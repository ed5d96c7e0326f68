#include "FileTarget.h"

bool SetFileLength(HANDLE file, uint64_t length) {
    LARGE_INTEGER position;
    position.QuadPart = LONGLONG(length);
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

bool FileTarget::Rewind() {
    LARGE_INTEGER start{};
    return SetFilePointerEx(m_file, start, nullptr, FILE_BEGIN) != FALSE;
}

bool FileTarget::Write(const uint8_t* data, size_t size) {
    while (size > 0) {
        DWORD written = 0;
        if (!WriteFile(m_file, data, DWORD(size), &written, nullptr) || written == 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

bool FileTarget::Flush() {
    return FlushFileBuffers(m_file) != FALSE;
}

bool FileTarget::Read(uint8_t* data, size_t size) {
    while (size > 0) {
        DWORD read = 0;
        if (!ReadFile(m_file, data, DWORD(size), &read, nullptr) || read == 0)
            return false;
        data += read;
        size -= read;
    }
    return true;
}
