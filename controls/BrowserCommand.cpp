#include "BrowserCommand.h"

std::optional<std::string> BrowserCommandLine(const std::string& registered,
                                              const std::string& address) {
    if (address.find('"') != std::string::npos)
        return std::nullopt;
    size_t cut = registered.find("\"%1\"");
    if (cut == std::string::npos)
        cut = registered.find("%1");
    std::string line = registered.substr(0, cut) + " \"" + address + "\"";
    if (line.size() > kCommandLineLimit)
        return std::nullopt;
    return line;
}
