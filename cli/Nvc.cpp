// nvc: the console program over the cleaning engine. A preview prints to standard output what a
// shred would remove, and touches nothing. A shred's progress goes to standard error (each step
// as it starts, and once a second the bytes written of those planned, unless --quiet), its
// summary to standard output, with the paths of its report (kept in the folder of reports
// unless the user turned reports off, and written where --report names). Exit codes: 0 done, 1
// partly done (an entry was skipped or a file could not be erased), 2 bad usage (nothing touched),
// 3 cancelled with Ctrl+C (the running entry stops at its next buffer and no further entry
// starts), 4 another run going on, 5 the Task Scheduler could not do what was asked.
#include "Arguments.h"
#include "Catalogue.h"
#include "CommandLine.h"
#include "ConsoleText.h"
#include "FileSystem.h"
#include "Help.h"
#include "KeepStore.h"
#include "Policy.h"
#include "ProgressTicker.h"
#include "ProtectedPlaces.h"
#include "ReportFacts.h"
#include "ReportStore.h"
#include "RunLoop.h"
#include "RunPreview.h"
#include "RunSize.h"
#include "SoleRun.h"
#include "StoredRun.h"
#include "TaskScheduler.h"
#include "UserItemParser.h"
#include "UserItemStore.h"
#include "VxRun.h"

#include <algorithm>
#include <optional>
#include <string>

namespace {

enum Exit { kDone = 0, kPartly = 1, kUsage = 2, kCancelled = 3, kBusy = 4, kScheduler = 5 };

RunCancel g_cancel;

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
    g_cancel.Cancel();
    return TRUE;
}

int List() {
    for (const CatalogueEntry& entry : kCatalogue) {
        const std::string bit = std::to_string(entry.bit);
        Out(std::string(bit.size() < 2 ? " " : "") + bit + "  " + CategoryName(entry.category) +
            ": " + entry.name);
    }
    return kDone;
}

// The entries and the checked items the program stored, as its next run would take them.
// Saved passwords are removed only when named, by the user or by the organisation's policy: the
// program asks before it removes them, and a scripted run cannot.
void AddStoredSelection(const Policy& policy, RunRequest& request) {
    SelectionMask marks = ReadStoredSelection();
    for (const CatalogueEntry& entry : kCatalogue)
        if (NeedsConfirmation(entry) && marks.test(size_t(entry.bit)) &&
            !(policy.selection && policy.selection->value.test(size_t(entry.bit)))) {
            marks.reset(size_t(entry.bit));
            Err(std::string("nvc: ") + CategoryName(entry.category) + ": " + entry.name +
                " is left out of the stored selection; name it to shred it");
        }
    request.selection |= marks;
    bool locked = false;
    if (const auto items = ReadRunUserItems(locked))
        for (const StoredUserItem& stored : *items)
            if (stored.selected)
                request.userItems.AddTail(DisplayString(stored.item));
}

// A lock of the organisation holds for nvc as for the program: with the checked entries locked
// only they run, and with the items locked only the policy's items.
std::optional<std::string> LockFault(const Policy& policy, const CliRequest& command) {
    if (Locked(policy.selection) && (command.selection.any() || !command.freeSpace.empty()))
        return "the entries to shred are set by your organisation; use --selection";
    if (Locked(policy.items) && !command.items.empty())
        return "the user-defined items are set by your organisation; use --selection";
    return std::nullopt;
}

// Whether the item takes every file of a drive or a system folder, which the program asks about
// before it stores such an item.
bool TakesAWholeProtectedPlace(const std::string& text) {
    UserItemRun run;
    if (!ParseUserItem(text.c_str(), run))
        return false;
    for (const CString& pattern : run.patterns)
        if (TakesAWholeProtectedPlace(UserItem{run.folder, pattern, run.subfolders}))
            return true;
    return false;
}

// The run the arguments ask for; false, with the message given, when a drive cannot be wiped
// or an item would take a whole system folder unasked.
bool BuildRequest(const CliRequest& command, RunRequest& request) {
    const Policy policy = ReadPolicy();
    if (const std::optional<std::string> fault = LockFault(policy, command)) {
        Err("nvc: " + *fault);
        return false;
    }
    request.selection = command.selection;
    for (const std::string& root : command.freeSpace) {
        if (!IsWipeableDrive(root.c_str())) {
            Err("nvc: " + root + " is not a fixed, removable or RAM drive");
            return false;
        }
        request.driveRoots.AddTail(root.c_str());
        request.driveNames.AddTail(root.c_str());
    }
    for (const std::string& item : command.items) {
        if (!command.allowSystemFolders && TakesAWholeProtectedPlace(item)) {
            Err("nvc: the item \"" + Utf8OfAnsi(item.c_str()) +
                "\" takes every file of a drive or a system folder; add --allow-system-folders if "
                "that is meant");
            return false;
        }
        request.userItems.AddTail(item.c_str());
    }
    if (command.storedSelection)
        AddStoredSelection(policy, request);
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
        for (const std::string& note : step.notes)
            Out("    Left: " + note);
        complete = complete && step.complete;
    }
    Out("Total: " + CountText(preview.items) + ", " + SizeText(preview.bytes));
    if (!complete)
        Err("nvc: memory ran out; some lists are cut short");
    return complete ? kDone : kPartly;
}

// The run with each step's line and, once a second, its bytes written of those its preview plans;
// a run that plans no bytes, or finds no thread for them, shows the steps alone.
RunOutcome ShowingProgress(CVxMain& engine, const RunRequest& request,
                           const std::vector<RunStep>& steps, EraseMethod method,
                           RunRecord* record) {
    std::optional<ProgressTicker> ticker;
    try {
        if (const unsigned long long planned = PlannedBytes(request, method))
            ticker.emplace(planned, [](const std::string& line) { Err("    " + line); });
    } catch (...) {
    }
    return RunShred(
        engine, steps, method, g_cancel, [&](size_t step) { Err(Utf8OfAnsi(steps[step].line)); },
        [](const std::string& note) { Err("    " + note); }, record);
}

// The report goes to the folder of reports, where the user keeps them, and to the file the
// command names; a report that cannot be written is said and leaves the run's outcome as it is.
void WriteReports(CVxMain& engine, const CliRequest& command, const RunRecord& record) {
    if (const ReportSettings settings = ReadReportSettings(); settings.keep) {
        const StoredReport stored = StoreReport(engine, record, settings.kept);
        if (!stored.fallback.empty())
            Err("nvc: " + stored.fallback);
        if (!stored.html.empty())
            Out("Report: " + fs::ToUtf8(stored.html));
        else
            Err("nvc: the report was not kept: " + stored.failure);
    }
    if (command.report.empty())
        return;
    std::wstring path;
    if (fs::FromAnsi(command.report.c_str(), command.report.size(), path) &&
        WriteReport(path, record))
        Out("Report: " + Utf8OfAnsi(command.report.c_str()));
    else
        Err("nvc: the report could not be written to " + Utf8OfAnsi(command.report.c_str()));
}

// The lists as stored, an entry added once or removed; a skipped stored entry is said, and a
// list the organisation locked is not changed.
int Keep(const CliRequest& command) {
    StoredKeep stored = ReadKeepLists();
    for (const std::string& line : stored.skipped)
        Err("nvc: " + line);
    if (command.keepAction != KeepAction::List &&
        (command.keepSite ? stored.sitesLocked : stored.placesLocked)) {
        Err(std::string("nvc: the kept ") + (command.keepSite ? "sites" : "places") +
            " are set by your organisation");
        return kUsage;
    }
    std::vector<std::string>& list = command.keepSite ? stored.lists.sites : stored.lists.places;
    const auto found = std::find(list.begin(), list.end(), command.keepEntry);
    switch (command.keepAction) {
    case KeepAction::List:
        for (const std::string& site : stored.lists.sites)
            Out("cookie " + site);
        for (const std::string& place : stored.lists.places)
            Out("path " + place);
        return kDone;
    case KeepAction::Add:
        if (found == list.end())
            list.push_back(command.keepEntry);
        break;
    case KeepAction::Remove:
        if (found == list.end()) {
            Err("nvc: \"" + command.keepEntry + "\" is not on the keep list");
            return kUsage;
        }
        list.erase(found);
        break;
    }
    if (WriteKeepLists(stored.lists))
        return kDone;
    Err("nvc: the keep list could not be stored");
    return kPartly;
}

int Summarize(const RunOutcome& outcome, size_t steps) {
    if (outcome.cancelled) {
        Out("Cancelled after " + std::to_string(outcome.done + outcome.skipped) + " of " +
            Counted(steps, "step.", "steps."));
        return kCancelled;
    }
    Out("Shredded " + Counted(outcome.done, "step", "steps") +
        (outcome.skipped ? ", some skipped as unsafe." : "."));
    if (outcome.left)
        Out(Counted(outcome.left, "item", "items") +
            " could not be erased: another program holds them, their volume takes no writes, "
            "or the system refused.");
    return outcome.skipped || outcome.left ? kPartly : kDone;
}

// A run the Task Scheduler starts has a console of its own, which would stand on the user's
// desktop for the length of the run: a quiet run that is its console's only process lets it go.
// The call is looked up, as systems before XP lack it.
void LeaveOwnConsole() {
    using ListProcesses = DWORD(WINAPI*)(LPDWORD, DWORD);
    const auto list = reinterpret_cast<ListProcesses>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetConsoleProcessList")));
    DWORD processes[2];
    if (list && list(processes, 2) == 1)
        FreeConsole();
}

// The method travels with the run: nothing is stored. One the erase component cannot take for a
// single run is refused rather than applied through the stored setting, and one the
// organisation locked is the run's whatever --method says.
EraseMethod RunMethod(const CliRequest& command) {
    const std::optional<Ruled<EraseMethod>> ruled = ReadPolicy().method;
    if (!Locked(ruled))
        return command.method.value_or(ReadStoredMethod());
    if (command.method && *command.method != ruled->value)
        Err(std::string("nvc: the shred method is set by your organisation: ") +
            kMethodShortNames[int(ruled->value)] + " is used instead of " +
            kMethodShortNames[int(*command.method)]);
    return ruled->value;
}

int Shred(const CliRequest& command) {
    RunRequest request;
    if (!BuildRequest(command, request))
        return kUsage;
    if (command.quiet)
        LeaveOwnConsole();
    const SoleRun sole;
    if (!sole.Alone()) {
        Err("nvc: another shred run is going on; nothing was touched");
        return kBusy;
    }
    if (command.method && !CVxRun::TakesMethod()) {
        Err("nvc: the erase component cannot take a method for one run");
        return kUsage;
    }
    const EraseMethod method = RunMethod(command);
    const std::vector<RunStep> steps = PlanRun(request);
    SetConsoleCtrlHandler(OnConsoleBreak, TRUE);
    CVxMain engine;
    RunRecord record;
    BeginRecord(record, method);
    RunRecord* const recorded =
        ReadReportSettings().keep || !command.report.empty() ? &record : nullptr;
    const RunOutcome outcome =
        command.quiet ? RunShred(
                            engine, steps, method, g_cancel, [](size_t) {}, {}, recorded)
                      : ShowingProgress(engine, request, steps, method, recorded);
    SetConsoleCtrlHandler(OnConsoleBreak, FALSE);
    const int exit = Summarize(outcome, steps.size());
    if (recorded) {
        EndRecord(record, outcome);
        WriteReports(engine, command, record);
    }
    return exit;
}

// The task starts this very nvc, wherever it was installed.
int Schedule(const CliRequest& command) {
    std::string fault;
    bool removed = false;
    switch (command.scheduleAction) {
    case ScheduleAction::Add: {
        wchar_t program[MAX_PATH];
        const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
        if (length > 0 && length < MAX_PATH &&
            RegisterScheduledRun(command.schedule, program, fault)) {
            Out("Scheduled: shreds " + ScheduleText(command.schedule) + ".");
            return kDone;
        }
        break;
    }
    case ScheduleAction::List: {
        const FoundSchedule found = FindScheduledRun();
        if (found.asked) {
            Out(found.description.empty() ? "No scheduled run." : found.description);
            return kDone;
        }
        fault = found.fault;
        break;
    }
    case ScheduleAction::Remove:
        if (RemoveScheduledRun(removed, fault)) {
            Out(removed ? "The scheduled run is removed." : "No scheduled run.");
            return kDone;
        }
        break;
    }
    Err("nvc: " + (fault.empty() ? std::string("nvc's own path is too long") : fault));
    return kScheduler;
}

} // namespace

int main(int argc, char** argv) {
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
    case CliCommand::Keep:
        return Keep(request);
    case CliCommand::Schedule:
        return Schedule(request);
    case CliCommand::Help:
        WriteText(STD_OUTPUT_HANDLE, kHelp);
        return kDone;
    case CliCommand::Shred:
        break;
    }
    return Shred(request);
}
