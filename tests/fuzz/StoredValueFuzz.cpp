// libFuzzer target: a stored value of any type, bytes and size read back as a number or a text.
// A number comes only from four bytes of the number type; a text is never longer than the bytes,
// holds no zero and stops at the first one.
#include "StoredSettings.h"
#include "StoredValue.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const uint32_t type = data[0] % 12;
    ++data;
    --size;
    const std::optional<uint32_t> number = StoredNumber(type, data, size);
    if (number.has_value() != (type == kStoredNumberType && size == 4))
        std::abort();
    MethodFromSetting(number);
    if (const std::optional<std::string> text = StoredText(type, data, size)) {
        if (text->size() > size || text->find('\0') != std::string::npos ||
            (text->size() < size && data[text->size()] != 0) ||
            std::memcmp(text->data(), data, text->size()) != 0)
            std::abort();
    } else if (type == kStoredTextType || type == kStoredExpandableTextType) {
        std::abort();
    }
    return 0;
}
