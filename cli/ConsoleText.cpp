#include "ConsoleText.h"

#include "FileSystem.h"

void WriteText(DWORD stream, const std::string& utf8) {
    const HANDLE output = GetStdHandle(stream);
    DWORD mode = 0, written = 0;
    if (GetConsoleMode(output, &mode)) {
        const std::wstring wide = fs::FromUtf8(utf8);
        WriteConsoleW(output, wide.data(), DWORD(wide.size()), &written, nullptr);
    } else {
        WriteFile(output, utf8.data(), DWORD(utf8.size()), &written, nullptr);
    }
}

std::string Utf8OfAnsi(const char* ansi) {
    return fs::ToUtf8(fs::FromAnsi(ansi));
}
