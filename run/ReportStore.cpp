#include "ReportStore.h"

#include "FileSystem.h"
#include "PathText.h"
#include "Policy.h"
#include "Product.h"
#include "ReportHtml.h"
#include "ReportJson.h"
#include "StoredRun.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr wchar_t kPrefix[] = L"report-";
constexpr wchar_t kPartial[] = L".partial";

bool EndsWith(const std::wstring& text, const wchar_t* end) {
    const size_t length = wcslen(end);
    return text.size() >= length &&
           CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, text.c_str() + text.size() - length,
                          int(length), end, int(length)) == CSTR_EQUAL;
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = fs::Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Makes each missing folder of a full path, below its drive or its share.
bool MakeFolders(const std::wstring& folder) {
    const bool share = folder.compare(0, 2, L"\\\\") == 0;
    size_t at = share ? folder.find(L'\\', folder.find(L'\\', 2) + 1) : folder.find(L'\\');
    while (at != std::wstring::npos) {
        at = folder.find(L'\\', at + 1);
        fs::MakeFolder(folder.substr(0, at));
    }
    return IsFolder(folder);
}

// Each `name` in `text`, in any case, replaced by `value`.
void Replace(std::wstring& text, const std::wstring& name, const std::wstring& value) {
    for (size_t at = 0; at + name.size() <= text.size();)
        if (CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, text.c_str() + at, int(name.size()),
                           name.c_str(), int(name.size())) == CSTR_EQUAL) {
            text.replace(at, name.size(), value);
            at += value.size();
        } else {
            ++at;
        }
}

// %COMPUTERNAME% and %USERNAME% by the names the record gives, which are the system's own
// whatever the environment says, and the environment's other variables.
std::wstring Expanded(std::wstring text, const RunRecord& record) {
    Replace(text, L"%COMPUTERNAME%", fs::FromUtf8(record.machine));
    Replace(text, L"%USERNAME%", fs::FromUtf8(record.user));
    std::wstring expanded(path::kMaxLength, L'\0');
    const DWORD length =
        ExpandEnvironmentStringsW(text.c_str(), &expanded[0], DWORD(expanded.size()));
    if (length == 0 || length > expanded.size())
        return text;
    expanded.resize(length - 1);
    return expanded;
}

bool LocalReportsFolder(std::wstring& folder) {
    wchar_t appData[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                                SHGFP_TYPE_CURRENT, appData)))
        return false;
    folder = path::Join(path::Join(appData, fs::FromUtf8(VX_PRODUCT_NAME)), L"Reports");
    return MakeFolders(folder);
}

// "report-20261209-053012" from "2026-12-09T05:30:12+01:00", with "-2" and on where a report of
// the same second is there.
std::wstring FreeName(const std::wstring& folder, const std::string& started) {
    std::wstring stamp;
    for (size_t i = 0; i < started.size() && i < 19; ++i)
        if (started[i] >= '0' && started[i] <= '9')
            stamp += wchar_t(started[i]);
        else if (started[i] == 'T')
            stamp += L'-';
    std::wstring name = kPrefix + stamp;
    for (int n = 2; fs::Attributes(path::Join(folder, name + L".json")) != INVALID_FILE_ATTRIBUTES;
         ++n)
        name = kPrefix + stamp + L"-" + std::to_wstring(n);
    return name;
}

// A report's stamp and its number within the second, by which reports sort oldest first.
std::pair<std::wstring, unsigned long> Age(const std::wstring& name) {
    const size_t stamp = wcslen(kPrefix) + 15;
    return {name.substr(0, stamp),
            name.size() > stamp + 1 ? wcstoul(name.c_str() + stamp + 1, nullptr, 10) : 0};
}

// The reports of the folder, oldest first, and what writes cut short left.
void ListReports(const std::wstring& folder, std::vector<std::wstring>& reports,
                 std::vector<std::wstring>& partial) {
    for (fs::FolderSearch search(path::Join(folder, std::wstring(kPrefix) + L"*")); search;
         search.Next()) {
        const std::wstring name = search.Entry().cFileName;
        if (EndsWith(name, kPartial))
            partial.push_back(name);
        else if (EndsWith(name, L".json"))
            reports.push_back(name.substr(0, name.size() - 5));
    }
    std::sort(reports.begin(), reports.end(),
              [](const std::wstring& a, const std::wstring& b) { return Age(a) < Age(b); });
}

// An old report goes through the erase like any trace; one in a folder that the engine's ANSI
// paths cannot name goes plainly.
void EraseFile(CVxMain& engine, const std::wstring& folder, const std::wstring& name) {
    std::string ansiFolder, ansiName;
    if (fs::ToAnsi(path::Ordinary(folder), ansiFolder) && fs::ToAnsi(name, ansiName))
        engine.ShredFile(ansiFolder.c_str(), ansiName.c_str());
    else
        fs::Remove(path::Join(folder, name));
}

void KeepNewest(CVxMain& engine, const std::wstring& folder, unsigned kept) {
    std::vector<std::wstring> reports, partial;
    ListReports(folder, reports, partial);
    if (reports.size() <= kept && partial.empty())
        return;
    engine.IniLib();
    for (const std::wstring& name : partial)
        EraseFile(engine, folder, name);
    for (size_t i = 0; i + kept < reports.size(); ++i) {
        EraseFile(engine, folder, reports[i] + L".html");
        EraseFile(engine, folder, reports[i] + L".json");
    }
    engine.UnIniLib();
}

// Both forms of the record, named after the run's start, and only the newest `kept` reports.
bool StoreIn(CVxMain& engine, const std::wstring& folder, const RunRecord& record, unsigned kept,
             std::wstring& html) {
    const std::wstring name = FreeName(folder, record.started);
    html = path::Join(folder, name + L".html");
    if (!WriteReport(path::Join(folder, name + L".json"), record) || !WriteReport(html, record))
        return false;
    KeepNewest(engine, folder, kept);
    return true;
}

StoredReport StoreLocally(CVxMain& engine, const RunRecord& record, unsigned kept) {
    std::wstring folder, html;
    if (!LocalReportsFolder(folder))
        return {L"", "the folder of reports in the application data could not be made", ""};
    if (!StoreIn(engine, folder, record, kept, html))
        return {L"", "it could not be written to " + fs::ToUtf8(folder), ""};
    return {html, "", ""};
}

} // namespace

ReportSettings ReadReportSettings() {
    const Policy policy = ReadPolicy();
    const CProfile settings = ProgramSettings();
    const std::optional<UINT> keep = settings.FindInt("", kReportsValue);
    const UINT kept = settings.GetInt("", kReportsKeptValue, 0);
    const bool keptStored = kept >= 1 && kept <= kMostReportsKept;
    ReportSettings read;
    read.keep = policy.reports && (policy.reports->locked || !keep) ? policy.reports->value
                                                                    : keep.value_or(1) != 0;
    read.kept = policy.reportsKept && (policy.reportsKept->locked || !keptStored)
                    ? policy.reportsKept->value
                : keptStored ? kept
                             : kDefaultReportsKept;
    read.keepLocked = Locked(policy.reports);
    read.keptLocked = Locked(policy.reportsKept);
    return read;
}

void WriteReportSettings(const ReportSettings& settings) {
    const Policy policy = ReadPolicy();
    const CProfile stored = ProgramSettings();
    if (!Locked(policy.reports))
        stored.WriteInt("", kReportsValue, settings.keep ? 1 : 0);
    if (!Locked(policy.reportsKept))
        stored.WriteInt("", kReportsKeptValue, int(settings.kept));
}

bool WriteWhole(const std::wstring& path, const std::string& text) {
    const std::wstring partial = path + kPartial;
    bool written = false;
    {
        const FileHandle file = fs::Open(partial, GENERIC_WRITE, 0, CREATE_ALWAYS, 0);
        DWORD wrote = 0;
        written = file && WriteFile(file.Get(), text.data(), DWORD(text.size()), &wrote, nullptr) &&
                  wrote == text.size() && FlushFileBuffers(file.Get());
    }
    if (written && fs::Replace(partial, path))
        return true;
    fs::Remove(partial);
    return false;
}

bool WriteReport(const std::wstring& path, const RunRecord& record) {
    const bool html = EndsWith(path, L".html") || EndsWith(path, L".htm");
    return WriteWhole(path, html ? ReportHtml(record) : ReportJson(record));
}

StoredReport StoreReport(CVxMain& engine, const RunRecord& record, unsigned kept) {
    if (const std::optional<std::wstring> set = ReadPolicy().reportFolder) {
        const std::wstring folder = Expanded(*set, record);
        std::wstring html;
        if (MakeFolders(folder) && StoreIn(engine, folder, record, kept, html))
            return {html, "", ""};
        RunRecord local = record;
        local.notes.push_back("The report folder " + fs::ToUtf8(folder) +
                              " could not be reached; this report is kept on this computer.");
        StoredReport stored = StoreLocally(engine, local, kept);
        stored.fallback = local.notes.back();
        return stored;
    }
    return StoreLocally(engine, record, kept);
}
