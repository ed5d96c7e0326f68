// How the program and its components take back a value they stored, from the type, bytes and
// size the registry returns, whatever another program or a damaged profile put there. Needs no
// system header, so that it is also fuzzed natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

// The registry's type numbers of the kinds read back.
constexpr uint32_t kStoredTextType = 1;           // REG_SZ
constexpr uint32_t kStoredExpandableTextType = 2; // REG_EXPAND_SZ
constexpr uint32_t kStoredNumberType = 4;         // REG_DWORD

// A 32-bit number only as a number value of exactly four bytes.
inline std::optional<uint32_t> StoredNumber(uint32_t type, const uint8_t* data, size_t size) {
    if (type != kStoredNumberType || size != sizeof(uint32_t))
        return std::nullopt;
    uint32_t value = 0;
    std::memcpy(&value, data, sizeof value);
    return value;
}

// A text only as a text value, plain or expandable: up to its first zero, or its whole size when
// it was stored without one.
inline std::optional<std::string> StoredText(uint32_t type, const uint8_t* data, size_t size) {
    if (type != kStoredTextType && type != kStoredExpandableTextType)
        return std::nullopt;
    const void* zero = size ? std::memchr(data, 0, size) : nullptr;
    const size_t length = zero ? size_t(static_cast<const uint8_t*>(zero) - data) : size;
    return std::string(reinterpret_cast<const char*>(data), length);
}
