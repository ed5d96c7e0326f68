// nvc: the console program over the cleaning engine. A preview prints to standard output what a
// shred would remove, and touches nothing. A shred's progress goes to standard error, its
// summary to standard output. Exit codes: 0 done, 1 partly done (an entry was skipped or a file
// could not be erased), 2 bad usage (nothing touched), 3 cancelled with Ctrl+C (the running
// entry stops at its next buffer and no further entry starts).
#include "Arguments.h"
#include "Catalogue.h"
#include "CommandLine.h"
#include "ConsoleText.h"
#include "Handle.h"
#include "RunPlan.h"
#include "RunPreview.h"
#include "StoredRun.h"
#include "UserItemStore.h"
#include "VxRunReport.h"
#include "WinApp.h"
#include "vxerase.h"

#include <atomic>
#include <string>

namespace {

enum Exit { kDone = 0, kPartly = 1, kUsage = 2, kCancelled = 3 };

std::atomic<bool> g_cancelled{false};

void Out(const std::string& utf8) {
    WriteText(STD_OUTPUT_HANDLE, utf8 + "\n");
}

void Err(const std::string& utf8) {
    WriteText(STD_ERROR_HANDLE, utf8 + "\n");
}

std::string Counted(size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

BOOL WINAPI OnConsoleBreak(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    g_cancelled = true;
    eraserCancel();
    return TRUE;
}

// The stored erase method, changed for this run and put back as it was afterwards.
class MethodForThisRun {
public:
    explicit MethodForThisRun(EraseMethod method) {
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0,
                            KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, m_key.Put(),
                            nullptr) != ERROR_SUCCESS)
            return;
        DWORD size = sizeof m_old;
        m_present = RegQueryValueExA(m_key.Get(), kMethodValue, nullptr, &m_type,
                                     reinterpret_cast<BYTE*>(&m_old), &size) == ERROR_SUCCESS;
        const DWORD setting = SettingForMethod(method);
        m_set = RegSetValueExA(m_key.Get(), kMethodValue, 0, REG_DWORD,
                               reinterpret_cast<const BYTE*>(&setting),
                               sizeof setting) == ERROR_SUCCESS;
    }
    ~MethodForThisRun() {
        if (!m_set)
            return;
        if (m_present)
            RegSetValueExA(m_key.Get(), kMethodValue, 0, m_type,
                           reinterpret_cast<const BYTE*>(&m_old), sizeof m_old);
        else
            RegDeleteValueA(m_key.Get(), kMethodValue);
    }
    MethodForThisRun(const MethodForThisRun&) = delete;
    MethodForThisRun& operator=(const MethodForThisRun&) = delete;
    bool IsSet() const { return m_set; }

private:
    RegKey m_key;
    bool m_present = false;
    bool m_set = false;
    DWORD m_type = REG_DWORD;
    DWORD m_old = 0;
};

int List() {
    for (const CatalogueEntry& entry : kCatalogue) {
        const std::string bit = std::to_string(entry.bit);
        Out(std::string(bit.size() < 2 ? " " : "") + bit + "  " + CategoryName(entry.category) +
            ": " + entry.name);
    }
    return kDone;
}

// The entries and the checked items the program stored, as its next run would take them.
void AddStoredSelection(RunRequest& request) {
    request.selection |= ReadStoredSelection();
    if (const auto items = ReadUserItems("00"))
        for (const StoredUserItem& stored : *items)
            if (stored.selected)
                request.userItems.AddTail(DisplayString(stored.item));
}

// The run the arguments ask for; false, with the message given, when a drive cannot be wiped.
bool BuildRequest(const CliRequest& command, RunRequest& request) {
    request.selection = command.selection;
    for (const std::string& root : command.freeSpace) {
        if (!IsWipeableDrive(root.c_str())) {
            Err("nvc: " + root + " is not a fixed, removable or RAM drive");
            return false;
        }
        request.driveRoots.AddTail(root.c_str());
        request.driveNames.AddTail(root.c_str());
    }
    for (const std::string& item : command.items)
        request.userItems.AddTail(item.c_str());
    if (command.storedSelection)
        AddStoredSelection(request);
    return true;
}

int Preview(const CliRequest& command) {
    RunRequest request;
    if (!BuildRequest(command, request))
        return kUsage;
    const RunPreview preview = PreviewRun(request);
    bool complete = true;
    for (const PreviewStep& step : preview.steps) {
        Out(Utf8OfAnsi(step.line) + ": " + CountText(step.items.size()) + ", " +
            SizeText(step.bytes));
        for (const PreviewItem& item : step.items)
            Out("    " + DescribeItem(item));
        complete = complete && step.complete;
    }
    Out("Total: " + CountText(preview.items) + ", " + SizeText(preview.bytes));
    if (!complete)
        Err("nvc: memory ran out; some lists are cut short");
    return complete ? kDone : kPartly;
}

int Shred(const CliRequest& command) {
    RunRequest request;
    if (!BuildRequest(command, request))
        return kUsage;

    std::optional<MethodForThisRun> method;
    if (command.method && !method.emplace(*command.method).IsSet()) {
        Err("nvc: the erase method could not be chosen");
        return kUsage;
    }
    SetConsoleCtrlHandler(OnConsoleBreak, TRUE);
    const CVxRunReport report;
    CVxMain engine;
    engine.IniLib();
    size_t done = 0, skipped = 0;
    const std::vector<RunStep> steps = PlanRun(request);
    for (const RunStep& step : steps) {
        if (g_cancelled)
            break;
        Err(Utf8OfAnsi(step.line));
        if (!step.call) {
            ++skipped;
            continue;
        }
        step.call(engine);
        ++done;
    }
    engine.UnIniLib();
    SetConsoleCtrlHandler(OnConsoleBreak, FALSE);
    if (g_cancelled) {
        Out("Cancelled after " + std::to_string(done) + " of " +
            Counted(steps.size(), "step.", "steps."));
        return kCancelled;
    }
    Out("Shredded " + Counted(done, "step", "steps") +
        (skipped ? ", some skipped as unsafe." : "."));
    if (report.Left())
        Out(Counted(report.Left(), "item", "items") +
            " could not be erased: another program holds them, their volume takes no writes, "
            "or the system refused.");
    return skipped || report.Left() ? kPartly : kDone;
}

} // namespace

int main(int argc, char** argv) {
    CWinApp app("nv");
    app.SetRegistryKey(kSettingsCompany);
    const auto arguments = AnsiArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (const auto* message = std::get_if<std::string>(&arguments)) {
        Err("nvc: " + *message);
        return kUsage;
    }
    const auto parsed = ParseCommandLine(std::get<std::vector<std::string>>(arguments));
    if (const auto* message = std::get_if<std::string>(&parsed)) {
        Err("nvc: " + Utf8OfAnsi(message->c_str()));
        return kUsage;
    }
    const CliRequest& request = std::get<CliRequest>(parsed);
    switch (request.command) {
    case CliCommand::List:
        return List();
    case CliCommand::Preview:
        return Preview(request);
    case CliCommand::Shred:
        break;
    }
    return Shred(request);
}
