// The file system's calls on the system's own names. On the NT family paths are UTF-16 in the
// extended form (PathText.h) and go to the wide calls, so that every name is reached as it
// stands; the 9x family has no wide calls, and there the same paths, which all came from ANSI
// text, go back to ANSI for its calls. Nothing here ever reaches a file by a lossy spelling:
// text that does not convert exactly is refused.
#pragma once

#include "Handle.h"

#include <windows.h>

#include <string>

namespace fs {

// The NT family, which has the wide calls.
bool IsNtFamily();

// ANSI text of the code page as UTF-16; false when it holds a byte sequence the code page
// does not define.
bool FromAnsi(const char* text, size_t length, std::wstring& wide);
std::wstring FromAnsi(const char* text);
// UTF-16 as ANSI text of the code page, only when every character has its own spelling there:
// no best fit, no default character.
bool ToAnsi(const std::wstring& wide, std::string& ansi);
// The ANSI text that names the file or folder at `path`: its own name where the code page
// spells it, otherwise the short name the system keeps for it. False when it has neither.
bool AnsiSpelling(const std::wstring& path, std::string& ansi);
std::string ToUtf8(const std::wstring& wide);
std::wstring FromUtf8(const std::string& text);

// The path the calls below take for a path a caller gave: on the NT family its full path, as
// the ANSI calls would read it, in the extended form; on the 9x family its full path. False
// for a path that names no file or folder of a drive or share.
bool SystemPath(const std::wstring& given, std::wstring& path);

// The path with each short name on it replaced by the name it stands for; as it is where the
// system cannot tell (a path that does not exist, the 9x family).
std::wstring LongPath(const std::wstring& path);

// The text in upper case as the system compares names.
std::wstring UpperCase(std::wstring text);

DWORD Attributes(const std::wstring& path);
bool SetAttributes(const std::wstring& path, DWORD attributes);
FileHandle Open(const std::wstring& path, DWORD access, DWORD share, DWORD disposition,
                DWORD flags);
bool Move(const std::wstring& from, const std::wstring& to);
// Moves `from` over `to`, the move written through to the disk where the system can.
bool Replace(const std::wstring& from, const std::wstring& to);
bool Remove(const std::wstring& path);
bool MakeFolder(const std::wstring& path);
bool RemoveFolder(const std::wstring& path);

// The entries of a folder that match a pattern, "." and ".." among them, one at a time.
class FolderSearch {
public:
    // `pattern` is a folder joined with a name that may hold "*" and "?".
    explicit FolderSearch(const std::wstring& pattern);
    FolderSearch(const FolderSearch&) = delete;
    FolderSearch& operator=(const FolderSearch&) = delete;

    // Whether an entry is at hand.
    explicit operator bool() const { return m_found; }
    const WIN32_FIND_DATAW& Entry() const { return m_entry; }
    void Next();
    // Ends the search before the object goes.
    void Close();

private:
    FindHandle m_search;
    WIN32_FIND_DATAW m_entry;
    bool m_found = false;
};

} // namespace fs
