#include "VxRun.h"

#include "EraserExtras.h"
#include "FileSystem.h"
#include "PathText.h"
#include "Recording.h"

#include <new>
#include <string>
#include <vector>

struct CVxRun::Notes {
    std::vector<std::string> lines;
};

namespace {
thread_local CVxRun* t_run = nullptr;
thread_local unsigned t_stays = 0;
} // namespace

CVxRun::CVxRun(unsigned long method, VxTraceSink* record) noexcept
    : m_method(method), m_record(record), m_outer(t_run), m_notes(new (std::nothrow) Notes) {
    t_run = this;
}

CVxRun::~CVxRun() {
    t_run = m_outer;
    delete m_notes;
}

unsigned long CVxRun::NoteCount() const {
    return m_notes ? (unsigned long)m_notes->lines.size() : 0;
}

const char* CVxRun::Note(unsigned long index) const {
    return index < NoteCount() ? m_notes->lines[index].c_str() : "";
}

// A note that finds no memory is lost; the count of what stayed is not.
void CVxRun::AddNote(const char* line) noexcept {
    try {
        if (m_notes)
            m_notes->lines.push_back(line);
    } catch (...) {
    }
}

bool CVxRun::TakesMethod() noexcept {
    return Extras().setMethod != nullptr;
}

void CVxRun::Cancel() noexcept {
    if (Extras().cancel)
        Extras().cancel();
}

unsigned long long CVxRun::WrittenBytes() noexcept {
    unsigned long long bytes = 0;
    if (Extras().writtenBytes && Extras().writtenBytes(&bytes) < 0)
        bytes = 0;
    return bytes;
}

namespace removal {

void NoteLeft(unsigned long items) {
    t_stays += unsigned(items);
    if (t_run)
        t_run->Count(items);
}

bool RunRecorded() {
    return t_run && t_run->Record();
}

void RecordDone(VxTraceKind kind, const std::wstring& place, const std::wstring& name,
                unsigned long long size) {
    if (!RunRecorded())
        return;
    const std::string utf8Place = fs::ToUtf8(path::Ordinary(place)), utf8Name = fs::ToUtf8(name);
    t_run->Record()->Found({kind, utf8Place.c_str(), utf8Name.c_str(), size});
}

void Left(const std::wstring& place, const char* reason) {
    NoteLeft(1);
    RecordLeft(place, reason);
}

void RecordLeft(const std::wstring& place, const char* reason) {
    if (RunRecorded())
        RecordDone(VxTraceKind::Left, place, fs::FromUtf8(reason));
}

void ReportKept() {
    ++t_stays;
}

unsigned StaysSoFar() {
    return t_stays;
}

void Note(const std::string& line) {
    if (Previewing())
        Report(VxTraceKind::Note, fs::FromUtf8(line));
    else if (t_run)
        t_run->AddNote(line.c_str());
}

unsigned long RunMethod() {
    return t_run ? t_run->Method() : 0;
}

} // namespace removal
