// A run over many items, for the load figures: it prints the seconds of the run, the seconds per
// 10,000 items, the peak working set before and after the run, and (for a run through the
// progress dialog) the longest time the dialog took to answer a message during the run.
//
//   vxloadbench files <folder> <count>    <count> files of 100 bytes in folders of 100 files,
//                                         removed by CVxMain::EmptyDirectory
//   vxloadbench keys <count>              <count> keys of the Run history, in keys of 100,
//                                         removed by CVxMain::DelSysRunHistory
//   vxloadbench dialog <folder> <count>   the files, removed by the progress dialog's run of a
//                                         user-defined item, while another thread sends the
//                                         dialog a message every 20 ms
//
// Zeroes are the method, given with the run.
#include "Handle.h"
#include "ShredDlg.h"
#include "Stopwatch.h"
#include "StoredSettings.h"
#include "VxMain.h"
#include "VxRun.h"
#include "WinApp.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

constexpr int kPerFolder = 100;
const char kRunHistory[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";

double PeakMegabytes() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return double(counters.PeakWorkingSetSize) / (1 << 20);
}

bool MakeFiles(const std::string& folder, int count) {
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string content(100, 'x');
    for (int i = 0; i < count; ++i) {
        const std::string sub = folder + "\\f" + std::to_string(i / kPerFolder);
        if (i % kPerFolder == 0)
            CreateDirectoryA(sub.c_str(), nullptr);
        const FileHandle file(CreateFileA((sub + "\\" + std::to_string(i) + ".tmp").c_str(),
                                          GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        if (!file ||
            !WriteFile(file.Get(), content.data(), DWORD(content.size()), &written, nullptr))
            return false;
    }
    return true;
}

bool MakeKeys(int count) {
    for (int i = 0; i < count; ++i) {
        const std::string path = std::string(kRunHistory) + "\\k" + std::to_string(i / kPerFolder) +
                                 "\\" + std::to_string(i);
        RegKey key;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                            key.Put(), nullptr) != ERROR_SUCCESS)
            return false;
    }
    return true;
}

bool IsEmptyFolder(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    const FindHandle search(FindFirstFileA((folder + "\\*").c_str(), &entry));
    bool empty = bool(search);
    while (empty && FindNextFileA(search.Get(), &entry))
        empty = !std::strcmp(entry.cFileName, ".") || !std::strcmp(entry.cFileName, "..");
    return empty;
}

// Runs the progress dialog without a modal loop and serves its messages until its run has ended;
// returns the longest answer, in seconds, to a message sent to it every 20 ms meanwhile.
double RunDialog(const std::string& folder) {
    CShredDlg dialog;
    dialog.m_request.userItems.AddTail((folder + "\\<*.*><SubFolder:Yes>").c_str());
    dialog.m_method = EraseMethod::Zeroes;
    if (!dialog.Create())
        return -1;
    // Shown, as in a run, so that its answers include painting the bar and the lines.
    ::ShowWindow(dialog.m_hWnd, SW_SHOW);
    std::atomic<bool> done{false};
    double longest = 0;
    std::thread probe([&] {
        while (!done) {
            const Stopwatch answer;
            DWORD_PTR result = 0;
            SendMessageTimeoutA(dialog.m_hWnd, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
            longest = std::max(longest, answer.Seconds());
            Sleep(20);
        }
    });
    while (dialog.m_running) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            if (!IsDialogMessageA(dialog.m_hWnd, &message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
    }
    done = true;
    probe.join();
    DestroyWindow(dialog.m_hWnd);
    return longest;
}

} // namespace

int main(int argc, char** argv) {
    const std::string kind = argc > 1 ? argv[1] : "";
    const bool files = kind == "files" && argc == 4;
    const bool keys = kind == "keys" && argc == 3;
    const bool dialog = kind == "dialog" && argc == 4;
    if (!files && !keys && !dialog) {
        std::fprintf(stderr, "usage: vxloadbench files|dialog <folder> <count> | keys <count>\n");
        return 2;
    }
    const int count = std::atoi(argv[argc - 1]);
    const std::string folder = keys ? "" : argv[2];
    CWinApp app("nv");
    app.SetRegistryKey(kSettingsCompany);
    const CVxRun run(SettingForMethod(EraseMethod::Zeroes));
    if (count <= 0 || !(keys ? MakeKeys(count) : MakeFiles(folder, count))) {
        std::fprintf(stderr, "vxloadbench: the %d items could not be made\n", count);
        return 1;
    }

    const double before = PeakMegabytes();
    double longestAnswer = 0;
    const Stopwatch stopwatch;
    if (dialog) {
        longestAnswer = RunDialog(folder);
    } else {
        CVxMain engine;
        engine.IniLib();
        if (files)
            engine.EmptyDirectory(folder.c_str(), 0, 1);
        else
            engine.DelSysRunHistory();
        engine.UnIniLib();
    }
    const double seconds = stopwatch.Seconds();
    RegKey left;
    const bool cleaned = keys ? RegOpenKeyExA(HKEY_CURRENT_USER, kRunHistory, 0, KEY_READ,
                                              left.Put()) != ERROR_SUCCESS
                              : IsEmptyFolder(folder) || dialog;
    if (!cleaned || longestAnswer < 0) {
        std::fprintf(stderr, "vxloadbench: the run did not remove the %d items\n", count);
        return 1;
    }
    std::printf("%d items: %.3f s, %.3f s per 10,000, peak working set %.1f MB before, %.1f MB "
                "after",
                count, seconds, seconds * 10000 / count, before, PeakMegabytes());
    if (dialog)
        std::printf(", longest answer of the dialog %.0f ms", longestAnswer * 1000);
    std::printf("\n");
    return 0;
}
