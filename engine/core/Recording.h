// What the members tell a preview that records, or a report of the run, on their thread.
#pragma once

#include "VxPreview.h"

#include <string>

namespace removal {

bool Previewing();
// Whether this thread's preview tries each file for whether another program holds it.
bool PreviewTriesHeld();
// Reports a trace to this thread's preview, unless the trace, or a key or folder above it, was
// reported before: the run would find it gone. In a run, a member reports what it has removed,
// which goes to the run's record when it keeps one. Places and names of files are the system's
// own UTF-16; those of keys, values and the rest are ANSI text.
void Report(VxTraceKind kind, const std::wstring& place, const std::wstring& name = L"",
            unsigned long long size = 0);
void Report(VxTraceKind kind, const char* place, const char* name = "",
            unsigned long long size = 0);
// Counts an item the run finds but leaves in place on purpose (a link) or that a preview finds
// the run would leave (a file in use), which keeps the folders above it.
void ReportKept();
// Counts items a run meant to remove and could not.
void NoteLeft(unsigned long items);
// Whether this thread's run keeps a record, for which a member finds out what it removes.
bool RunRecorded();
// What a run removed, told to its record.
void RecordDone(VxTraceKind kind, const std::wstring& place, const std::wstring& name = L"",
                unsigned long long size = 0);
// An item a run meant to remove and could not: `Left` counts it and records it with the reason
// (UTF-8); `RecordLeft` only records it, where the count comes from elsewhere.
void Left(const std::wstring& place, const char* reason);
void RecordLeft(const std::wstring& place, const char* reason);
// A line, in UTF-8, that says why something stays: a run keeps it with its notes, a preview
// reports it.
void Note(const std::string& line);
// Whether the user keeps the file or folder at `path` (a system path), or a folder above it, or
// the site a cookie file there is named for; whether the user keeps any place at all.
bool IsKept(const std::wstring& path);
bool KeepsAnyPlace();
// Whether the user keeps the cookies of `host`, or of any site.
bool KeepsCookiesOf(const std::string& host);
bool KeepsAnySite();
// While one lives on a thread, the files its walks meet are cookie files, named for their sites:
// those of kept sites are kept.
class CookieFiles {
public:
    CookieFiles();
    ~CookieFiles();
    CookieFiles(const CookieFiles&) = delete;
    CookieFiles& operator=(const CookieFiles&) = delete;
};
// Leaves a kept place: it counts as staying, so the folders above it stay too, and a preview or
// a run's record is told of it.
void LeaveKept(const std::wstring& path);
// How many items this thread has found staying, kept or left, since it started: a folder whose
// walk adds none is expected to go.
unsigned StaysSoFar();
// The erase method of this thread's run as "Setting" stores it, or 0 for the stored one.
unsigned long RunMethod();

} // namespace removal
