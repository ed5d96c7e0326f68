#include "Policy.h"

#include "Catalogue.h"
#include "FileSystem.h"
#include "Handle.h"
#include "KeepList.h"
#include "RegistryList.h"
#include "StoredValue.h"
#include "UserItemParser.h"

#include <windows.h>

#include <functional>

namespace {

struct Source {
    HKEY root;
    std::wstring key;
    bool locked;
};

std::vector<Source> Sources() {
    const std::wstring key = L"Software\\Policies\\" + fs::FromUtf8(kSettingsCompany) + L"\\nv";
    const std::wstring recommended = key + L"\\Recommended";
    return {{HKEY_LOCAL_MACHINE, key, true},
            {HKEY_CURRENT_USER, key, true},
            {HKEY_LOCAL_MACHINE, recommended, false},
            {HKEY_CURRENT_USER, recommended, false}};
}

// The value as the registry holds it: its type and bytes.
bool ReadValue(const Source& source, const wchar_t* name, DWORD& type, std::vector<BYTE>& data) {
    RegKey key;
    DWORD size = 0;
    if (RegOpenKeyExW(source.root, source.key.c_str(), 0, KEY_QUERY_VALUE, key.Put()) !=
            ERROR_SUCCESS ||
        RegQueryValueExW(key.Get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    data.assign(size, 0);
    return RegQueryValueExW(key.Get(), name, nullptr, &type, data.data(), &size) == ERROR_SUCCESS;
}

std::optional<uint32_t> Number(const Source& source, const wchar_t* name) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!ReadValue(source, name, type, data))
        return std::nullopt;
    return StoredNumber(type, data.data(), data.size());
}

std::optional<std::wstring> Text(const Source& source, const wchar_t* name) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!ReadValue(source, name, type, data) || (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    std::wstring text(data.size() / sizeof(wchar_t), L'\0');
    std::copy(data.begin(), data.begin() + text.size() * sizeof(wchar_t),
              reinterpret_cast<BYTE*>(&text[0]));
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

// The setting from the first source that gives one.
template <class T>
std::optional<Ruled<T>> First(const std::vector<Source>& sources,
                              const std::function<std::optional<T>(const Source&)>& read) {
    for (const Source& source : sources)
        if (std::optional<T> value = read(source))
            return Ruled<T>{std::move(*value), source.locked};
    return std::nullopt;
}

std::vector<std::string> List(const Source& source, const wchar_t* list) {
    return ReadTextList(source.root, source.key + L"\\" + list)
        .value_or(std::vector<std::string>());
}

// The entries of a list that `take` accepts, as it gives them back; nothing when none is.
std::optional<std::vector<std::string>>
Accepted(const Source& source, const wchar_t* list,
         const std::function<std::string(const std::string&)>& take) {
    std::vector<std::string> accepted;
    for (const std::string& entry : List(source, list))
        if (const std::string taken = take(entry); !taken.empty())
            accepted.push_back(taken);
    if (accepted.empty())
        return std::nullopt;
    return accepted;
}

std::string RunnableItem(const std::string& utf8) {
    std::string ansi;
    return fs::ToAnsi(fs::FromUtf8(utf8), ansi) && !UserItemFault(ansi.c_str()) ? ansi : "";
}

} // namespace

Policy ReadPolicy() {
    const std::vector<Source> sources = Sources();
    Policy policy;
    policy.method = First<EraseMethod>(sources, [](const Source& source) {
        const std::optional<std::wstring> name = Text(source, L"Method");
        return name ? MethodNamed(fs::ToUtf8(*name).c_str()) : std::nullopt;
    });
    policy.selection = First<SelectionMask>(sources, [](const Source& source) {
        SelectionMask selection;
        for (const std::string& word : List(source, L"Selection"))
            if (const CatalogueEntry* entry = EntryOfWord(word.c_str()))
                selection.set(size_t(entry->bit));
        return selection.any() ? std::optional<SelectionMask>(selection) : std::nullopt;
    });
    policy.items = First<std::vector<std::string>>(
        sources, [](const Source& source) { return Accepted(source, L"Items", RunnableItem); });
    std::string fault;
    policy.keptSites = First<std::vector<std::string>>(sources, [&](const Source& source) {
        return Accepted(source, L"Keep\\Sites",
                        [&](const std::string& site) { return KeptSite(site, fault); });
    });
    policy.keptPlaces = First<std::vector<std::string>>(sources, [&](const Source& source) {
        return Accepted(source, L"Keep\\Places",
                        [&](const std::string& place) { return KeptPlace(place, fault); });
    });
    policy.reports = First<bool>(sources, [](const Source& source) {
        const std::optional<uint32_t> value = Number(source, L"Reports");
        return value && *value <= 1 ? std::optional<bool>(*value == 1) : std::nullopt;
    });
    policy.reportsKept = First<unsigned>(sources, [](const Source& source) {
        const std::optional<uint32_t> value = Number(source, L"ReportsKept");
        return value && *value >= 1 && *value <= kMostReportsKept ? std::optional<unsigned>(*value)
                                                                  : std::nullopt;
    });
    if (const auto folder = First<std::wstring>(sources, [](const Source& source) {
            const std::optional<std::wstring> text = Text(source, L"ReportFolder");
            return text && !text->empty() ? text : std::nullopt;
        }))
        policy.reportFolder = folder->value;
    return policy;
}

std::string LockedSettingsText(const Policy& policy) {
    const struct {
        bool locked;
        const char* name;
    } settings[] = {
        {Locked(policy.method), "shred method"},
        {Locked(policy.selection), "checked entries"},
        {Locked(policy.items), "user-defined items"},
        {Locked(policy.keptSites) || Locked(policy.keptPlaces), "keep lists"},
        {Locked(policy.reports) || Locked(policy.reportsKept), "reports"},
    };
    std::string text;
    for (const auto& setting : settings)
        if (setting.locked)
            text += (text.empty() ? "" : ", ") + std::string(setting.name);
    return text;
}
