// Settings of a program under HKEY_CURRENT_USER\<key>\<section>, an empty section being the key
// itself: numbers and texts, read back whatever another program or a damaged profile put there.
#pragma once

#include "CString.h"

#include <windows.h>

#include <optional>
#include <utility>

class CProfile {
public:
    // `key` is the path below HKEY_CURRENT_USER, such as "Software\\Maker\\Program".
    explicit CProfile(CString key) : m_key(std::move(key)) {}

    // A value of another type or size than a 32-bit number counts as missing.
    UINT GetInt(const char* section, const char* entry, int defaultValue) const;
    // The number, or nothing when there is none (or of another type or size).
    std::optional<UINT> FindInt(const char* section, const char* entry) const;
    BOOL WriteInt(const char* section, const char* entry, int value) const;
    CString GetString(const char* section, const char* entry, const char* defaultValue = "") const;
    // A null value removes the entry.
    BOOL WriteString(const char* section, const char* entry, const char* value) const;

private:
    CString SectionPath(const char* section) const;

    CString m_key;
};
