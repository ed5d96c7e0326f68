#include "KeepStore.h"

#include "FileSystem.h"
#include "Handle.h"
#include "Policy.h"
#include "RegistryList.h"
#include "StoredSettings.h"

#include <windows.h>

namespace {

const std::wstring kKeepKey = fs::FromUtf8(std::string(kSettingsKey) + "\\Keep");

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

// The list as the policy rules it: its lock, else the user's own list where the user stored
// one, else its default.
void ReadList(const wchar_t* list, const char* kind,
              const std::optional<Ruled<std::vector<std::string>>>& ruled,
              std::string (*accept)(std::string_view, std::string&),
              std::vector<std::string>& entries, std::vector<std::string>& skipped) {
    const auto own = ReadTextList(HKEY_CURRENT_USER, kKeepKey + L"\\" + list);
    if (ruled && (ruled->locked || !own)) {
        entries = ruled->value;
        return;
    }
    std::string fault;
    for (const std::string& entry : own.value_or(std::vector<std::string>())) {
        const std::string accepted = accept(entry, fault);
        if (accepted.empty())
            skipped.push_back("The kept " + std::string(kind) + " \"" + entry +
                              "\" is skipped: it " + fault);
        else
            entries.push_back(accepted);
    }
}

} // namespace

StoredKeep ReadKeepLists() {
    const Policy policy = ReadPolicy();
    StoredKeep stored;
    stored.sitesLocked = Locked(policy.keptSites);
    stored.placesLocked = Locked(policy.keptPlaces);
    ReadList(L"Sites", "site", policy.keptSites, KeptSite, stored.lists.sites, stored.skipped);
    ReadList(L"Places", "place", policy.keptPlaces, KeptPlace, stored.lists.places, stored.skipped);
    return stored;
}

bool WriteKeepLists(const KeepLists& lists) {
    const Policy policy = ReadPolicy();
    return (Locked(policy.keptSites) || WriteList(L"Sites", lists.sites)) &&
           (Locked(policy.keptPlaces) || WriteList(L"Places", lists.places));
}

void ApplyKeepLists(CVxKeep& keep, const KeepLists& lists) {
    for (const std::string& site : lists.sites)
        keep.KeepSite(site.c_str());
    for (const std::string& place : lists.places)
        keep.KeepPlace(place.c_str());
}
