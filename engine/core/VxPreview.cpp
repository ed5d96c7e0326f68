// The recording of a preview: this thread's recording, the traces it was told of, and the items
// found that a run would leave.
#include "Recording.h"

#include <windows.h>

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

} // namespace removal
