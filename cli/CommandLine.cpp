#include "CommandLine.h"

#include "Catalogue.h"
#include "UserItemParser.h"

#include <algorithm>
#include <cctype>

namespace {

// "X:" or "X:\" of a letter.
std::optional<std::string> DriveRoot(const std::string& text) {
    if ((text.size() != 2 && !(text.size() == 3 && text[2] == '\\')) ||
        !std::isalpha(static_cast<unsigned char>(text[0])) || text[1] != ':')
        return std::nullopt;
    return std::string(1, char(std::toupper(static_cast<unsigned char>(text[0])))) + ":\\";
}

// "keep list", "keep add cookie example.com", "keep remove path C:\Work".
std::variant<CliRequest, std::string> ParseKeep(const std::vector<std::string>& arguments) {
    CliRequest request;
    request.command = CliCommand::Keep;
    if (arguments.size() == 2 && arguments[1] == "list")
        return request;
    if (arguments.size() != 4 || (arguments[1] != "add" && arguments[1] != "remove") ||
        (arguments[2] != "cookie" && arguments[2] != "path"))
        return std::string("usage: nvc keep list | nvc keep add|remove cookie HOST | "
                           "nvc keep add|remove path PATH");
    request.keepAction = arguments[1] == "add" ? KeepAction::Add : KeepAction::Remove;
    request.keepSite = arguments[2] == "cookie";
    std::string fault;
    request.keepEntry =
        request.keepSite ? KeptSite(arguments[3], fault) : KeptPlace(arguments[3], fault);
    if (request.keepEntry.empty())
        return "\"" + arguments[3] + "\" " + fault;
    return request;
}

// "HH:MM" of a time of day.
bool ReadTime(const std::string& text, ScheduledRun& run) {
    const auto digit = [&](size_t at) {
        return std::isdigit(static_cast<unsigned char>(text[at]));
    };
    if (text.size() != 5 || text[2] != ':' || !digit(0) || !digit(1) || !digit(3) || !digit(4))
        return false;
    run.hour = (text[0] - '0') * 10 + text[1] - '0';
    run.minute = (text[3] - '0') * 10 + text[4] - '0';
    return run.hour < 24 && run.minute < 60;
}

// "mon", "Monday" and so on, any case.
bool ReadDay(const std::string& text, ScheduledRun& run) {
    const char* const days[7] = {"sunday",   "monday", "tuesday", "wednesday",
                                 "thursday", "friday", "saturday"};
    std::string lower;
    for (const char c : text)
        lower += char(std::tolower(static_cast<unsigned char>(c)));
    for (int day = 0; day < 7; ++day)
        if (lower.size() >= 3 && std::string(days[day]).compare(0, lower.size(), lower) == 0) {
            run.weekday = day;
            return true;
        }
    return false;
}

// "schedule list", "schedule remove", "schedule add daily --time 21:00 --selection".
std::variant<CliRequest, std::string> ParseSchedule(const std::vector<std::string>& arguments) {
    CliRequest request;
    request.command = CliCommand::Schedule;
    const std::string usage = "usage: nvc schedule add daily|weekly|logon [--time HH:MM] "
                              "[--day DAY] SHRED-ARGUMENTS... | nvc schedule list|remove";
    if (arguments.size() == 2 && (arguments[1] == "list" || arguments[1] == "remove")) {
        request.scheduleAction =
            arguments[1] == "list" ? ScheduleAction::List : ScheduleAction::Remove;
        return request;
    }
    if (arguments.size() < 3 || arguments[1] != "add")
        return usage;
    request.scheduleAction = ScheduleAction::Add;
    ScheduledRun& run = request.schedule;
    const char* const kinds[3] = {"daily", "weekly", "logon"};
    const auto kind = std::find(kinds, kinds + 3, arguments[2]);
    if (kind == kinds + 3)
        return usage;
    run.kind = ScheduleKind(kind - kinds);
    for (size_t i = 3; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (word != "--time" && word != "--day") {
            run.arguments.push_back(word);
            continue;
        }
        if (i + 1 == arguments.size())
            return word + " needs a value";
        const std::string& value = arguments[++i];
        if (word == "--time") {
            if (run.kind == ScheduleKind::Logon)
                return std::string("a run at logon has no time");
            if (!ReadTime(value, run))
                return "\"" + value + "\" is no time such as 21:30";
        } else {
            if (run.kind != ScheduleKind::Weekly)
                return std::string("--day applies to weekly only");
            if (!ReadDay(value, run))
                return "\"" + value + "\" is no day such as Monday";
        }
    }
    std::vector<std::string> shred = {"shred"};
    shred.insert(shred.end(), run.arguments.begin(), run.arguments.end());
    const auto checked = ParseCommandLine(shred);
    if (const auto* fault = std::get_if<std::string>(&checked))
        return *fault;
    if (!std::get<CliRequest>(checked).quiet)
        run.arguments.push_back("--quiet");
    return request;
}

} // namespace

std::variant<CliRequest, std::string> ParseCommandLine(const std::vector<std::string>& arguments) {
    CliRequest request;
    if (arguments.size() == 1 && arguments[0] == "list")
        return request;
    if (arguments.size() == 1 &&
        (arguments[0] == "--help" || arguments[0] == "-h" || arguments[0] == "/?")) {
        request.command = CliCommand::Help;
        return request;
    }
    if (!arguments.empty() && arguments[0] == "keep")
        return ParseKeep(arguments);
    if (!arguments.empty() && arguments[0] == "schedule")
        return ParseSchedule(arguments);
    if (arguments.empty() || (arguments[0] != "shred" && arguments[0] != "preview"))
        return std::string(
            "usage: nvc list | nvc keep ... | nvc schedule ... | nvc preview|shred [ENTRY...] "
            "[--selection] [--method M] [--free-space X:]... [--items ITEM]... "
            "[--allow-system-folders] [--quiet] [--report FILE]\n"
            "nvc --help tells more.");
    request.command = arguments[0] == "shred" ? CliCommand::Shred : CliCommand::Preview;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (word == "--selection") {
            request.storedSelection = true;
        } else if (word == "--allow-system-folders") {
            request.allowSystemFolders = true;
        } else if (word == "--quiet") {
            if (request.command != CliCommand::Shred)
                return std::string("--quiet applies to shred only");
            request.quiet = true;
        } else if (word == "--method" || word == "--free-space" || word == "--items" ||
                   word == "--report") {
            if (!hasValue)
                return word + " needs a value";
            const std::string& value = arguments[++i];
            if (word == "--report") {
                if (request.command != CliCommand::Shred)
                    return std::string("--report applies to shred only");
                if (value.empty())
                    return std::string("--report needs a file name");
                request.report = value;
            } else if (word == "--method") {
                if (request.command != CliCommand::Shred)
                    return std::string("--method applies to shred only");
                request.method = MethodNamed(value.c_str());
                if (!request.method)
                    return "unknown method \"" + value + "\": gutmann, dod7, dod3, random or zero";
            } else if (word == "--free-space") {
                const std::optional<std::string> root = DriveRoot(value);
                if (!root)
                    return "\"" + value + "\" is not a drive such as D:";
                request.freeSpace.push_back(*root);
            } else if (const char* fault = UserItemFault(value.c_str())) {
                return "the item \"" + value + "\" " + fault;
            } else {
                request.items.push_back(value);
            }
        } else if (const CatalogueEntry* entry = EntryOfWord(word.c_str())) {
            request.selection.set(size_t(entry->bit));
        } else {
            return "unknown entry \"" + word + "\": nvc list shows the entries";
        }
    }
    if (request.selection.none() && !request.storedSelection && request.freeSpace.empty() &&
        request.items.empty())
        return "nothing to " + arguments[0] +
               ": name entries, --selection, --free-space or --items";
    return request;
}
