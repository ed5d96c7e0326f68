// A shred run of all sixty catalogue entries over a large dirty profile, against the same traces
// removed by plain deletion. Prints, for each entry that has traces, their count and size, the
// seconds of the entry's run and of the plain deletion, and the entry's share of the run's time
// and of the traces; then the totals, whether the slowest entry stays within three times its
// share of the traces, and what keep lists of 10,000 places and 10,000 sites add to the run.
//
//   vxprofilebench
//
// The traces: an Internet Explorer cache of 20,000 files, 5,000 cookies, 2,000 history entries,
// 50 MiB of temporary files, 200 recent documents, a recycle bin of 1,000 files and a few hundred
// registry values. One pseudo-random pass is the method, given with the run. Everything lives in
// the build's Wine prefix.
#include "Catalogue.h"
#include "CatalogueMembers.h"
#include "Handle.h"
#include "Stopwatch.h"
#include "StoredSettings.h"
#include "VxKeep.h"
#include "VxMain.h"
#include "VxRun.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <wininet.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

const char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
const char kTypedUrls[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
constexpr int kKeptEntries = 10000;

std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, 0, path);
    return path;
}

bool MakeFile(const std::string& path, size_t size) {
    static const std::string content(64 << 10, 'v');
    const FileHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file)
        return false;
    for (size_t left = size; left > 0;) {
        const DWORD piece = DWORD(std::min(left, content.size()));
        DWORD written = 0;
        if (!WriteFile(file.Get(), content.data(), piece, &written, nullptr) || written != piece)
            return false;
        left -= piece;
    }
    return true;
}

// `count` files of `size(i)` bytes, `perFolder` to a folder, below `root`; returns the bytes.
uint64_t MakeFiles(const std::string& root, int count, int perFolder,
                   const std::function<size_t(int)>& size, const char* extension) {
    CreateDirectoryA(root.c_str(), nullptr);
    uint64_t bytes = 0;
    for (int i = 0; i < count; ++i) {
        const std::string folder = root + "\\" + std::to_string(10000000 + i / perFolder);
        if (i % perFolder == 0)
            CreateDirectoryA(folder.c_str(), nullptr);
        if (!MakeFile(folder + "\\trace" + std::to_string(i) + extension, size(i)))
            return 0;
        bytes += size(i);
    }
    return bytes;
}

// Plain deletion: no overwrite, no renames.
void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    FindHandle search(FindFirstFileA((folder + "\\*").c_str(), &entry));
    if (search)
        do {
            const std::string path = folder + "\\" + entry.cFileName;
            if (!std::strcmp(entry.cFileName, ".") || !std::strcmp(entry.cFileName, ".."))
                continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search.Get(), &entry));
    search.Reset();
    RemoveDirectoryA(folder.c_str());
}

int FilesBelow(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    const FindHandle search(FindFirstFileA((folder + "\\*").c_str(), &entry));
    int files = 0;
    if (search)
        do {
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                files += std::strcmp(entry.cFileName, ".") && std::strcmp(entry.cFileName, "..")
                             ? FilesBelow(folder + "\\" + entry.cFileName)
                             : 0;
            else
                ++files;
        } while (FindNextFileA(search.Get(), &entry));
    return files;
}

bool SetValues(const std::string& key, int count, const char* prefix) {
    RegKey opened;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                        opened.Put(), nullptr) != ERROR_SUCCESS)
        return false;
    for (int i = 0; i < count; ++i) {
        const std::string name = prefix + std::to_string(i);
        const std::string data = "C:\\Documents\\private-" + std::to_string(i) + ".doc";
        if (RegSetValueExA(opened.Get(), name.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(data.c_str()),
                           DWORD(data.size() + 1)) != ERROR_SUCCESS)
            return false;
    }
    return true;
}

std::string HistoryUrl(int i) {
    return "Visited: user@http://profile" + std::to_string(i) + ".test/page.html";
}

// The traces of one catalogue entry: made, counted, and removed by plain deletion.
struct Load {
    const char* entry;
    std::function<bool(int& items, uint64_t& bytes)> make;
    std::function<void()> removePlainly;
    // Folders whose files the entry removes; empty for traces that are not files.
    std::vector<std::string> folders;
};

// The entry a load stands for: the first of its name in the catalogue, which is Internet
// Explorer's where a browser's entry has the same name ("Cache", "Cookies", "History").
const CatalogueEntry* EntryNamed(const char* name) {
    for (const CatalogueEntry& entry : kCatalogue)
        if (!std::strcmp(entry.name, name))
            return &entry;
    return nullptr;
}

std::vector<Load> Loads() {
    const std::string cache = ShellFolder(CSIDL_INTERNET_CACHE) + "\\Content.vx";
    const std::string cookies = ShellFolder(CSIDL_COOKIES) + "\\vx";
    const std::string temp = [] {
        char path[MAX_PATH] = "";
        GetTempPathA(MAX_PATH, path);
        return std::string(path) + "vxprofile";
    }();
    const std::string recent = ShellFolder(CSIDL_RECENT) + "\\vx";
    auto files = [](std::string root, int count, int perFolder, std::function<size_t(int)> size,
                    const char* extension) {
        return [=](int& items, uint64_t& bytes) {
            items = count;
            bytes = MakeFiles(root, count, perFolder, size, extension);
            return bytes > 0;
        };
    };
    auto remove = [](std::string root) { return [=] { RemoveTree(root); }; };
    return {
        {"Cache",
         files(
             cache, 20000, 1000, [](int i) { return size_t(1024 + i * 7919 % 15360); }, ".htm"),
         remove(cache),
         {cache}},
        {"Cookies",
         files(
             cookies, 5000, 5000, [](int i) { return size_t(100 + i % 300); }, ".txt"),
         remove(cookies),
         {cookies}},
        {"History",
         [](int& items, uint64_t& bytes) {
             FILETIME zero = {};
             for (int i = 0; i < 2000; ++i)
                 if (!CommitUrlCacheEntryA(HistoryUrl(i).c_str(), nullptr, zero, zero,
                                           URLHISTORY_CACHE_ENTRY, nullptr, 0, nullptr, nullptr))
                     return false;
             items = 2000;
             bytes = 0;
             return true;
         },
         [] {
             for (int i = 0; i < 2000; ++i)
                 DeleteUrlCacheEntryA(HistoryUrl(i).c_str());
         },
         {}},
        {"Temporary Files",
         files(
             temp, 500, 100, [](int) { return size_t(100 << 10); }, ".tmp"),
         remove(temp),
         {temp}},
        {"Document History",
         files(
             recent, 200, 200, [](int) { return size_t(600); }, ".lnk"),
         remove(recent),
         {recent}},
        {"Recycle Bin",
         [](int& items, uint64_t& bytes) {
             const std::string thrown = "C:\\vxprofile-bin";
             items = 1000;
             bytes = MakeFiles(
                 thrown, items, items, [](int) { return size_t(1024); }, ".txt");
             std::string from;
             for (int i = 0; i < items; ++i)
                 from += thrown + "\\10000000\\trace" + std::to_string(i) + ".txt" + '\0';
             from += '\0';
             SHFILEOPSTRUCTA operation = {};
             operation.wFunc = FO_DELETE;
             operation.pFrom = from.c_str();
             operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
             const bool thrownAway = bytes > 0 && SHFileOperationA(&operation) == 0;
             RemoveTree(thrown);
             return thrownAway;
         },
         [] {
             SHEmptyRecycleBinA(nullptr, nullptr,
                                SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND);
         },
         {}},
        {"Run History",
         [](int& items, uint64_t& bytes) {
             items = 26;
             bytes = 0;
             return SetValues(std::string(kExplorer) + "RunMRU", items, "v");
         },
         [] { SHDeleteKeyA(HKEY_CURRENT_USER, (std::string(kExplorer) + "RunMRU").c_str()); },
         {}},
        {"Address Bar Typed URLs",
         [](int& items, uint64_t& bytes) {
             items = 50;
             bytes = 0;
             return SetValues(kTypedUrls, items, "url");
         },
         [] { SHDeleteKeyA(HKEY_CURRENT_USER, kTypedUrls); },
         {}},
        {"Windows Explorer History",
         [](int& items, uint64_t& bytes) {
             items = 300;
             bytes = 0;
             const std::string lists = std::string(kExplorer) + "ComDlg32\\";
             return SetValues(lists + "OpenSaveMRU\\*", 100, "v") &&
                    SetValues(lists + "OpenSaveMRU\\doc", 100, "v") &&
                    SetValues(lists + "LastVisitedMRU", 100, "v");
         },
         [] {
             SHDeleteKeyA(HKEY_CURRENT_USER,
                          (std::string(kExplorer) + "ComDlg32\\OpenSaveMRU").c_str());
             SHDeleteKeyA(HKEY_CURRENT_USER,
                          (std::string(kExplorer) + "ComDlg32\\LastVisitedMRU").c_str());
         },
         {}},
    };
}

struct Figures {
    int items = 0;
    uint64_t bytes = 0;
    double ours = 0;
    double plain = 0;
};

} // namespace

int main() {
    const CVxRun run(SettingForMethod(EraseMethod::PseudoRandom));
    const std::vector<Load> loads = Loads();
    std::vector<Figures> figures(loads.size());
    auto makeAll = [&] {
        for (size_t i = 0; i < loads.size(); ++i)
            if (!loads[i].make(figures[i].items, figures[i].bytes)) {
                std::fprintf(stderr, "vxprofilebench: the traces of %s could not be made\n",
                             loads[i].entry);
                return false;
            }
        return true;
    };

    // The runs: every entry in run order, with keep lists and without.
    if (!makeAll())
        return 1;
    std::vector<const CatalogueEntry*> order;
    for (const CatalogueEntry& entry : kCatalogue)
        order.push_back(&entry);
    std::sort(order.begin(), order.end(),
              [](const CatalogueEntry* a, const CatalogueEntry* b) { return a->run < b->run; });
    CVxMain engine;
    double total = 0, others = 0;
    const auto runAll = [&] {
        engine.IniLib();
        total = others = 0;
        for (const CatalogueEntry* entry : order) {
            const Stopwatch stopwatch;
            (engine.*MemberOf(*entry))();
            const double seconds = stopwatch.Seconds();
            total += seconds;
            const auto load = std::find_if(loads.begin(), loads.end(), [&](const Load& l) {
                return EntryNamed(l.entry) == entry;
            });
            if (load == loads.end())
                others += seconds;
            else
                figures[size_t(load - loads.begin())].ours = seconds;
        }
        engine.UnIniLib();
        for (const Load& load : loads)
            for (const std::string& folder : load.folders)
                if (const int left = FilesBelow(folder)) {
                    std::fprintf(stderr, "vxprofilebench: %s left %d files\n", load.entry, left);
                    return false;
                }
        return true;
    };

    // With keep lists of 10,000 places and 10,000 sites, none among the traces, first: what
    // checking every trace against them costs, the making of the lists included.
    const Stopwatch keptStopwatch;
    {
        CVxKeep keep;
        for (int i = 0; i < kKeptEntries; ++i) {
            keep.KeepPlace(("C:\\vxprofile-kept\\place" + std::to_string(i)).c_str());
            keep.KeepSite(("kept" + std::to_string(i) + ".example").c_str());
        }
        if (!runAll())
            return 1;
    }
    const double kept = keptStopwatch.Seconds();
    if (!makeAll() || !runAll())
        return 1;

    // The same traces, removed plainly.
    if (!makeAll())
        return 1;
    double plainTotal = 0;
    for (size_t i = 0; i < loads.size(); ++i) {
        const Stopwatch stopwatch;
        loads[i].removePlainly();
        figures[i].plain = stopwatch.Seconds();
        plainTotal += figures[i].plain;
    }

    int items = 0;
    for (const Figures& f : figures)
        items += f.items;
    std::printf("%-26s %7s %9s %9s %9s %7s %11s %11s\n", "entry", "traces", "MiB", "ours s",
                "plain s", "÷ plain", "time share", "trace share");
    size_t slowest = 0;
    for (size_t i = 0; i < loads.size(); ++i) {
        const Figures& f = figures[i];
        std::printf("%-26s %7d %9.1f %9.3f %9.3f %7.1f %11.3f %11.3f\n", loads[i].entry, f.items,
                    double(f.bytes) / (1 << 20), f.ours, f.plain, f.ours / f.plain, f.ours / total,
                    double(f.items) / items);
        if (f.ours > figures[slowest].ours)
            slowest = i;
    }
    const std::string rest =
        "the other " + std::to_string(order.size() - loads.size()) + " entries";
    std::printf("%-26s %7s %9s %9.3f\n", rest.c_str(), "", "", others);
    const std::string all = "all " + std::to_string(order.size()) + " entries";
    std::printf("%-26s %7d %9s %9.3f %9.3f %7.1f\n", all.c_str(), items, "", total, plainTotal,
                total / plainTotal);
    const double timeShare = figures[slowest].ours / total;
    const double traceShare = double(figures[slowest].items) / items;
    std::printf("slowest entry: %s, %.3f of the time for %.3f of the traces (%.2f times its "
                "share; the bound is 3)\n",
                loads[slowest].entry, timeShare, traceShare, timeShare / traceShare);
    std::printf("all entries with keep lists of %d places and %d sites: %.3f s, %.3f of the time "
                "without them (the bound is 1.05)\n",
                kKeptEntries, kKeptEntries, kept, kept / total);
    return 0;
}
