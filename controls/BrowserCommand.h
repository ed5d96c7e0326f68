// The command line that starts a registered web browser on an address, built from the browser's
// registered command. Needs no system header, so that it is also built and tested natively.
#pragma once

#include <optional>
#include <string>

// The command line has room for this many characters, its terminator not counted.
constexpr size_t kCommandLineLimit = 519;

// The registered command cut before its placeholder ("%1" in double quotes, else a bare %1),
// a blank and the address in double quotes, so that the address is one argument whatever it
// holds. Nothing for an address with a double quote or a line that does not fit.
std::optional<std::string> BrowserCommandLine(const std::string& registered,
                                              const std::string& address);
