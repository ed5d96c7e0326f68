// Bytes as lower-case hexadecimal text, two digits a byte. Needs no system header, so that the
// native tests use it too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

inline std::string Hex(const void* data, size_t size) {
    static const char digits[] = "0123456789abcdef";
    const auto* bytes = static_cast<const uint8_t*>(data);
    std::string hex;
    for (size_t i = 0; i < size; ++i) {
        hex += digits[bytes[i] >> 4];
        hex += digits[bytes[i] & 15];
    }
    return hex;
}
