// SQLite databases for the tests of the browsers' traces, made and read with the library the
// engine uses.
#pragma once

#include <string>
#include <vector>

// Runs the statements on the database at `path`, creating it, in one transaction with its journal
// in memory: no journal file of the making is left on the volume. False when one fails.
bool MakeDatabase(const std::string& path, const std::vector<std::string>& statements);
// The number the query gives, or -1 when the database cannot be read.
long long Query(const std::string& path, const std::string& sql);
