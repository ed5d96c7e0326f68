#include "Removal.h"

#include "CString.h"
#include "FileSystem.h"

#include <shellapi.h>

#include <string>

namespace {

bool ProfileSectionExists(const char* file, const char* section) {
    std::string names(32767, '\0');
    const DWORD length = GetPrivateProfileSectionNamesA(&names[0], DWORD(names.size()), file);
    for (const char* name = names.c_str(); name < names.c_str() + length && *name;
         name += lstrlenA(name) + 1)
        if (lstrcmpiA(name, section) == 0)
            return true;
    return false;
}

// Whether writing the entry would change the file.
bool ProfileEntryChanges(const char* file, const char* section, const char* key, const char* text) {
    if (!key)
        return ProfileSectionExists(file, section);
    static const char kMissing[] = "\x01missing\x01";
    char current[4096];
    GetPrivateProfileStringA(section, key, kMissing, current, sizeof current, file);
    const bool present = lstrcmpA(current, kMissing) != 0;
    return text ? !present || lstrcmpA(current, text) != 0 : present;
}

} // namespace

namespace removal {

void ClearReadOnly(const std::wstring& path) {
    if (Previewing())
        return;
    const DWORD attributes = fs::Attributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        fs::SetAttributes(path, attributes & ~FILE_ATTRIBUTE_READONLY);
}

void WriteProfileEntry(const char* file, const char* section, const char* key, const char* text) {
    const bool told = Previewing() || RunRecorded();
    const bool changes = told && ProfileEntryChanges(file, section, key, text);
    if (!Previewing() && !WritePrivateProfileStringA(section, key, text, file))
        return;
    if (!changes)
        return;
    CString entry;
    entry.Format(key ? "[%s] %s" : "[%s]", section, key);
    Report(VxTraceKind::ProfileEntry, file, entry);
}

// An entry whose file lies in a kept place stays with its file.
bool DeleteCacheEntry(const INTERNET_CACHE_ENTRY_INFOA& entry) {
    std::wstring local;
    if (KeepsAnyPlace() && entry.lpszLocalFileName && *entry.lpszLocalFileName &&
        fs::SystemPath(fs::FromAnsi(entry.lpszLocalFileName), local) && IsKept(local)) {
        LeaveKept(local);
        return true;
    }
    if (!Previewing() && !DeleteUrlCacheEntryA(entry.lpszSourceUrlName))
        return false;
    Report(VxTraceKind::CacheEntry, entry.lpszSourceUrlName, "",
           (unsigned long long)entry.dwSizeHigh << 32 | entry.dwSizeLow);
    return true;
}

void EmptyRecycleBin() {
    SHQUERYRBINFO bin = {sizeof bin, 0, 0};
    const bool holds = (Previewing() || RunRecorded()) &&
                       SHQueryRecycleBinA(nullptr, &bin) == S_OK && bin.i64NumItems > 0;
    if (!Previewing() &&
        SHEmptyRecycleBinA(nullptr, nullptr,
                           SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND) != S_OK)
        return;
    if (!holds)
        return;
    CString items;
    items.Format("%I64d items", bin.i64NumItems);
    Report(VxTraceKind::RecycleBin, "Recycle Bin", items, bin.i64Size);
}

void EmptyClipboard() {
    const bool holds = CountClipboardFormats() > 0;
    if (!Previewing()) {
        if (!OpenClipboard(nullptr))
            return;
        const bool emptied = ::EmptyClipboard();
        CloseClipboard();
        if (!emptied)
            return;
    }
    if (holds)
        Report(VxTraceKind::Clipboard, "Clipboard");
}

} // namespace removal
