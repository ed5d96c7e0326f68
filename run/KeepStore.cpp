#include "KeepStore.h"

#include "FileSystem.h"
#include "Handle.h"
#include "StoredSettings.h"

#include <windows.h>

namespace {

const std::wstring kKeepKey = fs::FromUtf8(std::string(kSettingsKey) + "\\Keep");

// The text values of the list's key in the order of their numbers.
std::vector<std::string> ReadList(const wchar_t* list) {
    RegKey key;
    std::vector<std::string> entries;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, (kKeepKey + L"\\" + list).c_str(), 0, KEY_READ,
                      key.Put()) != ERROR_SUCCESS)
        return entries;
    for (DWORD number = 1;; ++number) {
        std::wstring text(32768, L'\0');
        DWORD type = 0, size = DWORD(text.size() * sizeof(wchar_t));
        const LONG status = RegQueryValueExW(key.Get(), std::to_wstring(number).c_str(), nullptr,
                                             &type, reinterpret_cast<BYTE*>(&text[0]), &size);
        if (status != ERROR_SUCCESS)
            return entries;
        text.resize(type == REG_SZ ? size / sizeof(wchar_t) : 0);
        while (!text.empty() && text.back() == L'\0')
            text.pop_back();
        entries.push_back(fs::ToUtf8(text));
    }
}

bool WriteList(const wchar_t* list, const std::vector<std::string>& entries) {
    const std::wstring path = kKeepKey + L"\\" + list;
    RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
    RegKey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE, nullptr, key.Put(), nullptr) != ERROR_SUCCESS)
        return false;
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::wstring text = fs::FromUtf8(entries[i]);
        if (RegSetValueExW(key.Get(), std::to_wstring(i + 1).c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(text.c_str()),
                           DWORD((text.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
            return false;
    }
    return true;
}

} // namespace

StoredKeep ReadKeepLists() {
    StoredKeep stored;
    std::string fault;
    for (const std::string& entry : ReadList(L"Sites")) {
        const std::string site = KeptSite(entry, fault);
        if (site.empty())
            stored.skipped.push_back("The kept site \"" + entry + "\" is skipped: it " + fault);
        else
            stored.lists.sites.push_back(site);
    }
    for (const std::string& entry : ReadList(L"Places")) {
        const std::string place = KeptPlace(entry, fault);
        if (place.empty())
            stored.skipped.push_back("The kept place \"" + entry + "\" is skipped: it " + fault);
        else
            stored.lists.places.push_back(place);
    }
    return stored;
}

bool WriteKeepLists(const KeepLists& lists) {
    return WriteList(L"Sites", lists.sites) && WriteList(L"Places", lists.places);
}

void ApplyKeepLists(CVxKeep& keep, const KeepLists& lists) {
    for (const std::string& site : lists.sites)
        keep.KeepSite(site.c_str());
    for (const std::string& place : lists.places)
        keep.KeepPlace(place.c_str());
}
