#include "Removal.h"

#include "CString.h"

#include <shellapi.h>

#include <new>
#include <set>
#include <string>

struct VxRecording {
    VxTraceSink* sink;
    // Upper-case places of what was reported; a key or folder ends with a backslash.
    std::set<std::string> reported;
    unsigned kept = 0;
};

namespace {

thread_local VxRecording* t_recording = nullptr;
// Stands in for a recording that could not be had: nothing is reported, and nothing removed.
VxRecording g_unrecorded{nullptr, {}, 0};

std::string UpperCase(std::string text) {
    if (!text.empty())
        CharUpperBuffA(&text[0], DWORD(text.size()));
    return text;
}

// The place under which a trace is remembered: a key or a folder with a closing backslash, a
// value as "KEY\|NAME", anything else by its kind, place and name.
std::string Remembered(VxTraceKind kind, const char* place, const char* name) {
    const std::string upper = UpperCase(place);
    switch (kind) {
    case VxTraceKind::File:
        return upper;
    case VxTraceKind::Folder:
    case VxTraceKind::Key:
        return upper + "\\";
    case VxTraceKind::Value:
        return upper + "\\|" + UpperCase(name);
    default:
        return std::to_string(int(kind)) + ":" + upper + "|" + UpperCase(name);
    }
}

bool ReportedAbove(const std::set<std::string>& reported, const std::string& place) {
    for (size_t slash = place.find('\\'); slash != std::string::npos && slash + 1 < place.size();
         slash = place.find('\\', slash + 1))
        if (reported.count(place.substr(0, slash + 1)))
            return true;
    return false;
}

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

CVxPreview::CVxPreview(VxTraceSink& sink) noexcept
    : m_recording(new (std::nothrow) VxRecording{&sink, {}, 0}), m_outer(t_recording) {
    t_recording = m_recording ? m_recording : &g_unrecorded;
}

CVxPreview::~CVxPreview() {
    t_recording = m_outer;
    delete m_recording;
}

namespace removal {

bool Previewing() {
    return t_recording != nullptr;
}

void Report(VxTraceKind kind, const char* place, const char* name, unsigned long long size) {
    VxRecording* recording = t_recording;
    if (!recording || !recording->sink)
        return;
    const std::string remembered = Remembered(kind, place, name);
    if (ReportedAbove(recording->reported, remembered) ||
        !recording->reported.insert(remembered).second)
        return;
    recording->sink->Found({kind, place, name, size});
}

void ReportKept() {
    if (t_recording)
        ++t_recording->kept;
}

unsigned KeptSoFar() {
    return t_recording ? t_recording->kept : 0;
}

void ClearReadOnly(const char* path) {
    if (Previewing())
        return;
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);
}

void WriteProfileEntry(const char* file, const char* section, const char* key, const char* text) {
    if (!Previewing()) {
        WritePrivateProfileStringA(section, key, text, file);
        return;
    }
    if (!ProfileEntryChanges(file, section, key, text))
        return;
    CString entry;
    entry.Format(key ? "[%s] %s" : "[%s]", section, key);
    Report(VxTraceKind::ProfileEntry, file, entry);
}

bool DeleteCacheEntry(const INTERNET_CACHE_ENTRY_INFOA& entry) {
    if (!Previewing())
        return DeleteUrlCacheEntryA(entry.lpszSourceUrlName);
    Report(VxTraceKind::CacheEntry, entry.lpszSourceUrlName, "",
           (unsigned long long)entry.dwSizeHigh << 32 | entry.dwSizeLow);
    return true;
}

void EmptyRecycleBin() {
    if (!Previewing()) {
        SHEmptyRecycleBinA(nullptr, nullptr,
                           SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND);
        return;
    }
    SHQUERYRBINFO bin = {sizeof bin, 0, 0};
    if (SHQueryRecycleBinA(nullptr, &bin) != S_OK || bin.i64NumItems <= 0)
        return;
    CString items;
    items.Format("%I64d items", bin.i64NumItems);
    Report(VxTraceKind::RecycleBin, "Recycle Bin", items, bin.i64Size);
}

void EmptyClipboard() {
    if (Previewing()) {
        if (CountClipboardFormats() > 0)
            Report(VxTraceKind::Clipboard, "Clipboard");
        return;
    }
    if (!OpenClipboard(nullptr))
        return;
    ::EmptyClipboard();
    CloseClipboard();
}

} // namespace removal
