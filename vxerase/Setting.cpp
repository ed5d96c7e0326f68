#include "Setting.h"

#include "Handle.h"
#include "StoredValue.h"

EraseMethod StoredMethod() {
    RegKey key;
    DWORD type = 0, value = 0, size = sizeof value;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, key.Put()) !=
            ERROR_SUCCESS ||
        RegQueryValueExA(key.Get(), kMethodValue, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS)
        return MethodFromSetting(std::nullopt);
    return MethodFromSetting(StoredNumber(type, reinterpret_cast<const uint8_t*>(&value), size));
}
