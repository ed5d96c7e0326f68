#include "Hyperlink.h"

#include "BrowserCommand.h"
#include "Handle.h"

#include <shellapi.h>

LONG ReadClassesRootDefault(const char* keyPath, std::string& value) {
    RegKey key;
    LONG status = RegOpenKeyExA(HKEY_CLASSES_ROOT, keyPath, 0, KEY_QUERY_VALUE, key.Put());
    if (status != ERROR_SUCCESS)
        return status;
    char data[260];
    DWORD type = 0, size = sizeof data;
    status =
        RegQueryValueExA(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    if (status != ERROR_SUCCESS)
        return status;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return ERROR_INVALID_DATA;
    // A value stored without its terminator ends where its size says.
    value.assign(data, strnlen(data, size));
    return ERROR_SUCCESS;
}

std::optional<std::string> FallbackCommandLine(const char* address) {
    std::string pageClass, command;
    if (ReadClassesRootDefault(".htm", pageClass) != ERROR_SUCCESS ||
        ReadClassesRootDefault((pageClass + "\\shell\\open\\command").c_str(), command) !=
            ERROR_SUCCESS)
        return std::nullopt;
    return BrowserCommandLine(command, address);
}

INT_PTR OpenHyperlink(const char* address, int showCommand) {
    const auto opened = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", address, nullptr, nullptr, showCommand));
    if (opened > 32)
        return opened;
    const std::optional<std::string> command = FallbackCommandLine(address);
    return command ? INT_PTR(WinExec(command->c_str(), UINT(showCommand))) : opened;
}
