// The text of paths as the system's wide calls take them. In the extended form ("\\?\C:\dir",
// "\\?\UNC\server\share\dir") the system takes every name as it stands: device names such as
// "aux.txt", names ending in a dot or a blank, and paths past 260 characters, up to its limit.
// Needs no system header, so that it is also fuzzed natively.
#pragma once

#include <cstddef>
#include <string>

namespace path {

// The longest path the system's wide calls take, in UTF-16 units.
constexpr size_t kMaxLength = 32767;

// The extended form of a full path of a drive or a share: "C:\dir" gives "\\?\C:\dir",
// "\\server\share\dir" gives "\\?\UNC\server\share\dir", and a path already in that form stays
// as it is. Empty for every other text: a relative path, a device path ("\\.\"), a path with an
// empty, "." or ".." name or a forward slash (the extended form would take them literally), or
// one longer than the system's limit.
std::wstring Extended(const std::wstring& full);

// The ordinary form of a path: "\\?\C:\dir" gives "C:\dir", "\\?\UNC\server\share" gives
// "\\server\share"; any other path stays as it is.
std::wstring Ordinary(const std::wstring& path);

// `folder` and `name` with one backslash between them: a folder that ends with one ("C:\") is
// not given a second.
std::wstring Join(const std::wstring& folder, const std::wstring& name);

// Where the last name of `path` starts: just after its last backslash.
size_t NameStart(const std::wstring& path);

// "." and "..", which a folder's listing holds but which name no entry of it.
bool IsDotName(const std::wstring& name);

// Whether the ordinary form of a full path reaches every name on it as it stands. It does not
// where a name is a device name (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, with or without
// an extension) or ends in a dot or a blank: the system reads those as the device, or without
// the dot or blank.
bool OrdinaryFormReaches(const std::wstring& path);

} // namespace path
