// The command line of nvc, the console program for scheduled and scripted runs:
//   nvc list
//   nvc preview [ENTRY...] [--selection] [--free-space X:]... [--items ITEM]...
//               [--allow-system-folders]
//   nvc shred [ENTRY...] [--selection] [--method gutmann|dod7|dod3|random|zero]
//             [--free-space X:]... [--items "FOLDER\<PATTERNS><SubFolder:Yes|No>"]...
//             [--allow-system-folders] [--quiet] [--report FILE]
//   nvc keep list | nvc keep add|remove cookie HOST | nvc keep add|remove path PATH
//   nvc schedule add daily|weekly|logon [--time HH:MM] [--day DAY] SHRED-ARGUMENTS...
//   nvc schedule list | nvc schedule remove
//   nvc --help | -h | /?
// Needs no system header, so that it is also built and tested natively.
#pragma once

#include "KeepList.h"
#include "ScheduledRun.h"
#include "Selection.h"
#include "StoredSettings.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

enum class CliCommand { List, Preview, Shred, Keep, Schedule, Help };
enum class KeepAction { List, Add, Remove };
enum class ScheduleAction { Add, List, Remove };

struct CliRequest {
    CliCommand command = CliCommand::List;
    // Catalogue entries named by their name in the tree (any case) or their bit number.
    SelectionMask selection = 0;
    // The entries, items and erase method the program stored.
    bool storedSelection = false;
    // For this run only; the stored method stays. Shred only.
    std::optional<EraseMethod> method;
    // Drive roots, "X:\".
    std::vector<std::string> freeSpace;
    // Display strings of user-defined items, checked to be safe to run.
    std::vector<std::string> items;
    // The user means items that take every file of a drive or a system folder.
    bool allowSystemFolders = false;
    // No progress on standard error: no step lines, no bytes. Shred only.
    bool quiet = false;
    // Where the run's report goes besides the folder of reports: HTML for a name ending in
    // ".htm" or ".html", JSON otherwise. Shred only.
    std::string report;
    // Keep only: what to do, and the site or place as it is kept.
    KeepAction keepAction = KeepAction::List;
    bool keepSite = false;
    std::string keepEntry;
    // Schedule only: what to do, and for Add the run, whose arguments are checked as a shred's
    // and end with --quiet.
    ScheduleAction scheduleAction = ScheduleAction::List;
    ScheduledRun schedule;
};

// The request, or the message that says what is wrong with the arguments.
std::variant<CliRequest, std::string> ParseCommandLine(const std::vector<std::string>& arguments);
