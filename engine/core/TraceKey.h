// A registry key opened with full access, through which the trace members remove the values and
// subkeys below it. While a preview records, the key is only read and each removal is reported.
#pragma once

#include "CString.h"
#include "Handle.h"

class TraceKey {
public:
    // Rights: the member has already given itself the rights on the key; in a preview, which
    // gives none, a key that exists counts as open even where its rights deny access.
    enum class Rights { AsTheyAre, Taken };

    TraceKey(HKEY root, const CString& path, Rights rights = Rights::AsTheyAre);
    // The subkey `name` of an open key, created when it is missing; in a preview it only
    // counts as there.
    TraceKey(const TraceKey& parent, const char* name);
    TraceKey(const TraceKey&) = delete;
    TraceKey& operator=(const TraceKey&) = delete;

    bool IsOpen() const { return m_open; }
    HKEY Get() const { return m_key.Get(); }

    void DeleteValue(const char* name);
    // Only a subkey without subkeys of its own goes: the system refuses the others.
    void DeleteKey(const char* name);
    // The subkey with everything below it; the system's error code, 0 when it is gone.
    LONG DeleteTree(const char* name);
    // Sets a text value, as the application reads an emptied or harmless setting.
    void SetText(const char* name, const char* text);

private:
    bool SubkeyExists(const char* name, DWORD* subkeys) const;
    // Whether the value holds `text` already, `length` bytes with its closing null.
    bool HoldsText(const char* name, const char* text, DWORD length) const;
    // The path of a subkey below the root, and its full name as a preview reports it.
    CString Below(const char* name) const;
    CString Place(const char* name) const;

    HKEY m_root;
    CString m_path;
    RegKey m_key;
    bool m_open = false;
};
