// The secure removal of files and folders on the system's own names, which the members that take
// ANSI paths and the trace members that find their folders themselves share. Folders are system
// paths (fs::SystemPath); patterns are one name that may hold "*" and "?".
#pragma once

#include <string>
#include <vector>

namespace shred {

// A folder a caller gave, as a system path that names what the folder joined with a backslash
// and a name names ("C:" is the root of C:), by its long names; false when it names no folder of
// a drive or share.
bool EnteringFolder(const std::wstring& folder, std::wstring& path);
// An ANSI folder or pattern a caller gave, converted once where it enters the engine; false
// when it is not text of the code page or is no folder or pattern.
bool EnteringFolder(const char* ansi, std::wstring& path);
bool EnteringPattern(const char* ansi, std::wstring& pattern);

// One erase job over the files of `folder` that match `pattern`.
void MatchingFiles(const std::wstring& folder, const std::wstring& pattern);
// The matching files of `folder`, and with `subfolders` those of its whole tree; subfolders go
// once emptied when the pattern is exactly "*.*". The folder itself stays.
void Files(const std::wstring& folder, const std::wstring& pattern, bool subfolders);

// One erase job over those of the files (system paths) that are there; folders and links are
// passed over.
void TheseFiles(const std::vector<std::wstring>& files);

// Empties the folder and removes it.
void WholeFolder(const std::wstring& folder);

} // namespace shred
