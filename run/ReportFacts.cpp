#include "ReportFacts.h"

#include "FileSystem.h"
#include "OverwriteSize.h"
#include "PathText.h"
#include "Product.h"

#include <windows.h>

#include <set>

namespace {

constexpr const char* kMethodNames[5] = {"Gutmann", "DoD 5200.28-STD", "DoD 5220.22-M",
                                         "Pseudo-random", "Zeroes"};

int64_t Ticks(const SYSTEMTIME& time) {
    FILETIME file = {};
    SystemTimeToFileTime(&time, &file);
    return int64_t(file.dwHighDateTime) << 32 | file.dwLowDateTime;
}

// Local time with its distance from UTC, as "2026-12-09T05:30:12+01:00".
std::string LocalTimeText() {
    SYSTEMTIME utc = {}, local = {};
    GetSystemTime(&utc);
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        local = utc;
    const int64_t minutes = (Ticks(local) - Ticks(utc)) / 600000000;
    const int64_t away = minutes < 0 ? -minutes : minutes;
    char text[32];
    wsprintfA(text, "%04u-%02u-%02uT%02u:%02u:%02u%c%02u:%02u", local.wYear, local.wMonth,
              local.wDay, local.wHour, local.wMinute, local.wSecond, minutes < 0 ? '-' : '+',
              unsigned(away / 60), unsigned(away % 60));
    return text;
}

template <typename Call> std::string SystemName(Call call) {
    wchar_t name[256];
    DWORD size = 256;
    return call(name, &size) ? fs::ToUtf8(name) : "";
}

bool IsPath(const std::string& place) {
    return (place.size() > 2 && place[1] == ':' && place[2] == '\\') || place.rfind("\\\\", 0) == 0;
}

// The folder of each place that is a file-system path, once.
std::set<std::wstring> Folders(const RunRecord& record) {
    std::set<std::wstring> folders;
    const auto add = [&](const std::string& place) {
        if (IsPath(place)) {
            const std::wstring wide = fs::FromUtf8(place);
            folders.insert(wide.substr(0, path::NameStart(wide)));
        }
    };
    for (const RecordStep& step : record.steps) {
        for (const RecordItem& item : step.removed)
            add(item.place);
        for (const LeftItem& item : step.left)
            add(item.place);
    }
    return folders;
}

std::vector<RecordVolume> Volumes(const RunRecord& record) {
    std::set<std::wstring> roots;
    for (const std::wstring& folder : Folders(record)) {
        wchar_t root[MAX_PATH];
        if (GetVolumePathNameW(folder.c_str(), root, MAX_PATH))
            roots.insert(root);
        else if (folder.size() > 2 && folder[1] == L':')
            roots.insert(folder.substr(0, 3));
    }
    std::vector<RecordVolume> volumes;
    for (const std::wstring& root : roots) {
        wchar_t system[MAX_PATH] = L"";
        GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, system,
                              MAX_PATH);
        volumes.push_back({fs::ToUtf8(root), fs::ToUtf8(system)});
    }
    return volumes;
}

} // namespace

void BeginRecord(RunRecord& record, EraseMethod method) {
    record.started = LocalTimeText();
    record.machine = SystemName(GetComputerNameW);
    record.user = SystemName(GetUserNameW);
    record.version = VX_VERSION_TEXT;
    record.methodName = kMethodNames[int(method)];
    record.passes = PassCount(method);
    record.readBack = kMethodReadsBack[int(method)];
}

void EndRecord(RunRecord& record, const RunOutcome& outcome) {
    record.ended = LocalTimeText();
    record.notes = outcome.notes;
    record.volumes = Volumes(record);
    if (outcome.cancelled)
        record.end = RunEnd::Cancelled;
    else if (outcome.left > 0 || TotalsOf(record).left > 0)
        record.end = RunEnd::PartlyDone;
    else
        record.end = RunEnd::Done;
}
