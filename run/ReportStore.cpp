#include "ReportStore.h"

#include "FileSystem.h"
#include "PathText.h"
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

bool ReportsFolder(std::wstring& folder) {
    wchar_t appData[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                                SHGFP_TYPE_CURRENT, appData)))
        return false;
    const std::wstring product = path::Join(appData, fs::FromUtf8(VX_PRODUCT_NAME));
    folder = path::Join(product, L"Reports");
    fs::MakeFolder(product);
    fs::MakeFolder(folder);
    return fs::Attributes(folder) != INVALID_FILE_ATTRIBUTES;
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

} // namespace

ReportSettings ReadReportSettings() {
    const CProfile settings = ProgramSettings();
    const unsigned kept = settings.GetInt("", kReportsKeptValue, int(kDefaultReportsKept));
    return {settings.GetInt("", kReportsValue, 1) != 0,
            kept >= 1 && kept <= kMostReportsKept ? kept : kDefaultReportsKept};
}

void WriteReportSettings(const ReportSettings& settings) {
    const CProfile stored = ProgramSettings();
    stored.WriteInt("", kReportsValue, settings.keep ? 1 : 0);
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
    std::wstring folder;
    if (!ReportsFolder(folder))
        return {L"", "the folder of reports in the application data could not be made"};
    const std::wstring name = FreeName(folder, record.started);
    const std::wstring html = path::Join(folder, name + L".html");
    if (!WriteReport(path::Join(folder, name + L".json"), record) || !WriteReport(html, record))
        return {L"", "it could not be written to " + fs::ToUtf8(folder)};
    KeepNewest(engine, folder, kept);
    return {html, ""};
}
