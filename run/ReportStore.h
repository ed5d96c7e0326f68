// Where the erasure reports of runs are kept, how they are written and how many stay.
#pragma once

#include "RunRecord.h"
#include "VxMain.h"

#include <string>

struct ReportSettings {
    bool keep = true;
    unsigned kept = 0;
    // Set by the organisation's lock; writing leaves a locked setting as it is.
    bool keepLocked = false;
    bool keptLocked = false;
};

// As the organisation's policy rules them: its lock, else the user's value, else its default.
// A value out of range, or of another type, counts as missing.
ReportSettings ReadReportSettings();
void WriteReportSettings(const ReportSettings& settings);

// Writes `text` whole or not at all, through a file beside `path` that is flushed and then moved
// over it: a run cut by a power loss leaves the earlier file or the new one.
bool WriteWhole(const std::wstring& path, const std::string& text);
// The record as HTML where `path` ends in ".htm" or ".html", as JSON otherwise.
bool WriteReport(const std::wstring& path, const RunRecord& record);

struct StoredReport {
    // The HTML form, empty when the report could not be written; then `failure` says why.
    std::wstring html;
    std::string failure;
    // Where the organisation's folder could not be reached: the line, also in the report, that
    // says the report is kept on this computer instead.
    std::string fallback;
};

// Writes both forms of the record into the folder of reports, named after the run's start, and
// keeps the newest `kept` reports there: older ones, and what a write cut short left, are erased
// by `engine`, since reports name the files they erased. The folder is the organisation's
// "ReportFolder" where a policy sets one (a share too, with %COMPUTERNAME%, %USERNAME% and the
// environment's other variables expanded and its missing folders made), and
// "%APPDATA%\Norvexa\Reports" otherwise or when that one cannot be reached.
StoredReport StoreReport(CVxMain& engine, const RunRecord& record, unsigned kept);
