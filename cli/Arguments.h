// nvc's arguments as the program's ANSI text. On the NT family they are read as the system
// passed them, in UTF-16, so that none is taken by a lossy spelling: an argument the code page
// spells is taken as it stands, the folder of a user-defined item that it cannot spell is taken
// by its short name, and anything else is refused.
#pragma once

#include <string>
#include <variant>
#include <vector>

// The arguments after the program's name, or the message that says which cannot be spelt.
// `ansi` are those the C runtime read, used where the system has no wide command line.
std::variant<std::vector<std::string>, std::string>
AnsiArguments(const std::vector<std::string>& ansi);
