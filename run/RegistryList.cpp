#include "RegistryList.h"

#include "FileSystem.h"
#include "Handle.h"

std::optional<std::vector<std::string>> ReadTextList(HKEY root, const std::wstring& path) {
    RegKey key;
    std::vector<std::string> entries;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Put()) != ERROR_SUCCESS)
        return std::nullopt;
    for (DWORD number = 1;; ++number) {
        std::wstring text(32768, L'\0');
        DWORD type = 0, size = DWORD(text.size() * sizeof(wchar_t));
        const LONG status = RegQueryValueExW(key.Get(), std::to_wstring(number).c_str(), nullptr,
                                             &type, reinterpret_cast<BYTE*>(&text[0]), &size);
        if (status != ERROR_SUCCESS)
            return entries;
        text.resize(type == REG_SZ || type == REG_EXPAND_SZ ? size / sizeof(wchar_t) : 0);
        text.resize(wcsnlen(text.c_str(), text.size()));
        entries.push_back(fs::ToUtf8(text));
    }
}
