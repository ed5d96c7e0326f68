// The recording of a preview: this thread's recording and the traces it was told of.
#include "FileSystem.h"
#include "PathText.h"
#include "Recording.h"

#include <windows.h>

#include <new>
#include <set>

struct VxRecording {
    VxTraceSink* sink;
    bool tryHeld;
    // Upper-case places of what was reported, files by their ordinary path; a key or folder
    // ends with a backslash.
    std::set<std::wstring> reported;
};

namespace {

thread_local VxRecording* t_recording = nullptr;
// Stands in for a recording that could not be had: nothing is reported, and nothing removed.
VxRecording g_unrecorded{nullptr, false, {}};

// The place under which a trace is remembered: a key or a folder with a closing backslash, a
// value as "KEY\|NAME", anything else by its kind, place and name.
std::wstring Remembered(VxTraceKind kind, const std::wstring& place, const std::wstring& name) {
    const std::wstring upper = fs::UpperCase(place);
    switch (kind) {
    case VxTraceKind::File:
        return upper;
    case VxTraceKind::Folder:
    case VxTraceKind::Key:
        return upper + L"\\";
    case VxTraceKind::Value:
        return upper + L"\\|" + fs::UpperCase(name);
    default:
        return std::to_wstring(int(kind)) + L":" + upper + L"|" + fs::UpperCase(name);
    }
}

bool ReportedAbove(const std::set<std::wstring>& reported, const std::wstring& place) {
    for (size_t slash = place.find(L'\\'); slash != std::wstring::npos && slash + 1 < place.size();
         slash = place.find(L'\\', slash + 1))
        if (reported.count(place.substr(0, slash + 1)))
            return true;
    return false;
}

} // namespace

CVxPreview::CVxPreview(VxTraceSink& sink, bool tryHeld) noexcept
    : m_recording(new (std::nothrow) VxRecording{&sink, tryHeld, {}}), m_outer(t_recording) {
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

bool PreviewTriesHeld() {
    return t_recording && t_recording->tryHeld;
}

// Files and folders are shown and remembered by their ordinary paths.
void Report(VxTraceKind kind, const std::wstring& place, const std::wstring& name,
            unsigned long long size) {
    VxRecording* recording = t_recording;
    if (!recording) {
        RecordDone(kind, place, name, size);
        return;
    }
    if (!recording->sink)
        return;
    const std::wstring shown = path::Ordinary(place);
    const std::wstring remembered = Remembered(kind, shown, name);
    if (ReportedAbove(recording->reported, remembered) ||
        !recording->reported.insert(remembered).second)
        return;
    const std::string utf8Place = fs::ToUtf8(shown), utf8Name = fs::ToUtf8(name);
    recording->sink->Found({kind, utf8Place.c_str(), utf8Name.c_str(), size});
}

void Report(VxTraceKind kind, const char* place, const char* name, unsigned long long size) {
    if (t_recording ? t_recording->sink != nullptr : RunRecorded())
        Report(kind, fs::FromAnsi(place), fs::FromAnsi(name), size);
}

} // namespace removal
