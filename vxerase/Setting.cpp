#include "Setting.h"

#include <windows.h>

EraseMethod StoredMethod() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Dravok\\nv", 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return MethodFromSetting(std::nullopt);
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG status =
        RegQueryValueExA(key, "Setting", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value)
        return MethodFromSetting(std::nullopt);
    return MethodFromSetting(value);
}
