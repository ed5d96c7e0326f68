// The names of capitals and digits that erased files, emptied folders and free-space fillers take,
// so that nothing of a former name stays and the erase recognises its own fillers. A file or
// folder takes one such name, of the length of its own, just before it goes: more renames leave
// an image no fewer readable names (the forensic suite counts them).
#pragma once

#include <windows.h>
#include <ntsecapi.h>

#include <cstddef>
#include <string>
#include <vector>

// A name of `length` characters drawn from the system's random source; empty when the source
// fails.
inline std::wstring RandomName(size_t length) {
    static const wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::vector<unsigned char> bytes(length);
    if (length && !RtlGenRandom(bytes.data(), ULONG(length)))
        return {};
    std::wstring name(length, L'A');
    for (size_t i = 0; i < length; ++i)
        name[i] = kAlphabet[bytes[i] % (sizeof kAlphabet / sizeof kAlphabet[0] - 1)];
    return name;
}

// Whether `name` is such a name of exactly `length` characters.
inline bool IsRandomName(const wchar_t* name, size_t length) {
    size_t i = 0;
    for (; name[i]; ++i)
        if (!((name[i] >= L'A' && name[i] <= L'Z') || (name[i] >= L'0' && name[i] <= L'9')))
            return false;
    return i == length;
}
