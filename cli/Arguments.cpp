#include "Arguments.h"

#include "FileSystem.h"
#include "Handle.h"

#include <windows.h>
#include <shellapi.h>

namespace {

// "FOLDER\<PATTERNS><SubFolder:...>" with the folder by its own or its short name; the folder
// ends at the first "<", which no folder name holds.
bool ItemInAnsi(const std::wstring& item, std::string& ansi) {
    const size_t open = item.find(L'<');
    if (open == std::wstring::npos || open == 0)
        return false;
    std::wstring folder = item.substr(0, open);
    if (folder.size() > 3 && folder.back() == L'\\')
        folder.pop_back();
    std::string ansiFolder, rest;
    if (!fs::AnsiSpelling(folder, ansiFolder) || !fs::ToAnsi(item.substr(open), rest))
        return false;
    if (ansiFolder.back() != '\\')
        ansiFolder += '\\';
    ansi = ansiFolder + rest;
    return true;
}

} // namespace

std::variant<std::vector<std::string>, std::string>
AnsiArguments(const std::vector<std::string>& ansi) {
    int count = 0;
    const LocalBlock block(
        fs::IsNtFamily() ? reinterpret_cast<HLOCAL>(CommandLineToArgvW(GetCommandLineW(), &count))
                         : nullptr);
    if (!block)
        return ansi;
    const auto* wide = static_cast<const wchar_t* const*>(block.Get());
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        const bool item = !arguments.empty() && arguments.back() == "--items";
        std::string argument;
        if (!fs::ToAnsi(wide[i], argument) && !(item && ItemInAnsi(wide[i], argument)))
            return "\"" + fs::ToUtf8(wide[i]) +
                   "\" holds characters that this system's code page cannot spell" +
                   (item ? ", and its folder has no short name" : "");
        arguments.push_back(argument);
    }
    return arguments;
}
