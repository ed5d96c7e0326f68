// Every change the trace members make to the user's data passes through here, through TraceKey
// and through EraseJob. While a preview records on the calling thread nothing is changed: each
// call reports instead what it would remove or change.
#pragma once

#include "Recording.h"

#include <windows.h>
#include <wininet.h>

#include <string>

namespace removal {

// `path` is a system path (fs::SystemPath).
void ClearReadOnly(const std::wstring& path);
// Removes a section (null key) or a key (null text) of a settings file, or sets the key's text.
void WriteProfileEntry(const char* file, const char* section, const char* key, const char* text);
bool DeleteCacheEntry(const INTERNET_CACHE_ENTRY_INFOA& entry);
void EmptyRecycleBin();
void EmptyClipboard();

} // namespace removal
