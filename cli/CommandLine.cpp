#include "CommandLine.h"

#include "Catalogue.h"
#include "UserItemParser.h"

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

} // namespace

std::variant<CliRequest, std::string> ParseCommandLine(const std::vector<std::string>& arguments) {
    CliRequest request;
    if (arguments.size() == 1 && arguments[0] == "list")
        return request;
    if (!arguments.empty() && arguments[0] == "keep")
        return ParseKeep(arguments);
    if (arguments.empty() || (arguments[0] != "shred" && arguments[0] != "preview"))
        return std::string(
            "usage: nvc list | nvc keep ... | nvc preview|shred [ENTRY...] [--selection] "
            "[--method M] [--free-space X:]... [--items ITEM]... "
            "[--allow-system-folders] [--quiet] [--report FILE]\n"
            "Names are written as the system spells them: UTF-16 to a console, "
            "UTF-8 when the output is redirected.");
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
