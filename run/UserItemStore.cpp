#include "UserItemStore.h"

#include "Handle.h"
#include "Policy.h"
#include "StoredRun.h"
#include "StoredSettings.h"
#include "UserItemParser.h"

#include <shlwapi.h>

namespace {

constexpr int kCodeLength = 8;

// An empty code would name the items' own key, and a code with a backslash a key below another.
bool IsCode(const CString& code) {
    return !code.IsEmpty() && code.GetLength() <= kCodeLength && code.Find('\\') < 0;
}

CString Section(const CString& code) {
    return CString(kUserItemsSection) + "\\" + code;
}

CString ItemsKeyPath() {
    return CString(kSettingsKey) + "\\" + kUserItemsSection;
}

bool KeyExists(const CString& path) {
    RegKey key;
    return RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, key.Put()) == ERROR_SUCCESS;
}

void WriteItem(const CString& section, const UserItem& item) {
    const CProfile settings = ProgramSettings();
    settings.WriteString(section, kUserItemFolderValue, item.folder);
    settings.WriteString(section, kUserItemPatternsValue, item.patterns);
    settings.WriteInt(section, kUserItemSubfoldersValue, item.subfolders ? 1 : 0);
}

StoredUserItem ReadItem(const CString& code) {
    const CProfile settings = ProgramSettings();
    const CString section = Section(code);
    StoredUserItem stored;
    stored.code = code;
    stored.item.folder = settings.GetString(section, kUserItemFolderValue);
    stored.item.patterns = settings.GetString(section, kUserItemPatternsValue);
    stored.item.subfolders = settings.GetInt(section, kUserItemSubfoldersValue, 0) != 0;
    stored.selected = settings.GetInt(section, kUserItemSelectedValue, 0) != 0;
    return stored;
}

// The item of a display string the policy gives, which is known to parse.
UserItem ItemOfDisplay(const std::string& display) {
    UserItemRun run;
    ParseUserItem(display.c_str(), run);
    UserItem item{run.folder, "", run.subfolders};
    for (const CString& pattern : run.patterns)
        item.patterns += (item.patterns.IsEmpty() ? "" : ",") + pattern;
    return item;
}

} // namespace

std::optional<std::vector<StoredUserItem>> ReadRunUserItems(bool& locked) {
    const Policy policy = ReadPolicy();
    locked = Locked(policy.items);
    if (locked) {
        std::vector<StoredUserItem> items;
        for (const std::string& display : policy.items->value)
            items.push_back({"", ItemOfDisplay(display), true});
        return items;
    }
    if (policy.items && !KeyExists(ItemsKeyPath()))
        for (const std::string& display : policy.items->value)
            MarkUserItem(AddUserItem(ItemOfDisplay(display)), true);
    return ReadUserItems("00");
}

std::optional<std::vector<StoredUserItem>> ReadUserItems(const char* prefix) {
    RegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ItemsKeyPath(), 0, KEY_READ, key.Put()) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD count = 0;
    if (RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return std::nullopt;
    const CString wanted = prefix;
    std::vector<StoredUserItem> items;
    for (DWORD index = 0; index < count; ++index) {
        char name[kCodeLength + 1];
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            continue;
        const CString code = name;
        if (code.Left(wanted.GetLength()).CompareNoCase(wanted) == 0)
            items.push_back(ReadItem(code));
    }
    return items;
}

CString AddUserItem(const UserItem& item) {
    const CProfile settings = ProgramSettings();
    UINT number = settings.GetInt("", kUserItemCountValue, 0);
    CString code;
    do {
        ++number;
        code.Format("%08u", number);
    } while (KeyExists(ItemsKeyPath() + "\\" + code));
    const CString section = Section(code);
    WriteItem(section, item);
    if (!settings.WriteInt(section, kUserItemSelectedValue, 0) ||
        !settings.WriteInt("", kUserItemCountValue, int(number)))
        return CString();
    return code;
}

void UpdateUserItem(const CString& code, const UserItem& item) {
    if (IsCode(code))
        WriteItem(Section(code), item);
}

void DeleteUserItem(const CString& code) {
    if (!IsCode(code))
        return;
    RegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ItemsKeyPath(), 0, KEY_ALL_ACCESS, key.Put()) !=
        ERROR_SUCCESS)
        return;
    if (RegDeleteKeyA(key.Get(), code) != ERROR_SUCCESS)
        SHDeleteKeyA(key.Get(), code);
}

void MarkUserItem(const CString& code, bool selected) {
    if (IsCode(code))
        ProgramSettings().WriteInt(Section(code), kUserItemSelectedValue, selected ? 1 : 0);
}
