// The names of capitals and digits that erased files, emptied folders and free-space fillers take,
// so that nothing of a former name stays and the erase recognises its own fillers.
#pragma once

#include <cstddef>
#include <string>

// A name of one character for each random byte.
inline std::string NameOfRandomBytes(const unsigned char* bytes, size_t length) {
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string name(length, 'A');
    for (size_t i = 0; i < length; ++i)
        name[i] = kAlphabet[bytes[i] % (sizeof kAlphabet - 1)];
    return name;
}

// Whether `name` is such a name of exactly `length` characters.
inline bool IsRandomName(const char* name, size_t length) {
    size_t i = 0;
    for (; name[i]; ++i)
        if (!((name[i] >= 'A' && name[i] <= 'Z') || (name[i] >= '0' && name[i] <= '9')))
            return false;
    return i == length;
}
