// Rows removed from a browser's database with SQLite itself, where the database also holds data
// to keep (Firefox's bookmarks beside its history, the search engines beside the form entries):
// in one transaction with secure_delete on, so that the freed space is zeroed, then VACUUM. A
// database that is not one, is damaged, holds another schema than the rule knows, or is held by
// another program is left as it is: the transaction rolls back.
#pragma once

#include <string>
#include <vector>

struct RowsStatement {
    // Run only where this table exists; null: always.
    const char* table;
    const char* sql;
};

struct RowsRule {
    // The database, relative to the profile folder.
    const wchar_t* database;
    // "table.column" that must exist for the rule to know the database; null-terminated.
    const char* const* columns;
    const RowsStatement* statements;
    size_t statementCount;
    // The number of rows the rule removes.
    const char* count;
    // What the rows are, for the preview: "history entries".
    const char* what;
};

enum class RowsOutcome {
    Done,
    // Another program holds the database.
    Held,
    // Not a database, damaged, or of a schema the rule does not know.
    Unknown,
    // A path SQLite cannot open by its ordinary name, or a failure of the system.
    Failed,
};

struct RowsResult {
    RowsOutcome outcome = RowsOutcome::Failed;
    long long rows = 0;
    // The write-ahead log was wholly written back into the database, so that it may go.
    bool logWrittenBack = false;
};

// Removes the rule's rows of `database` (a system path). Its journal files stay for the caller
// to erase.
RowsResult RemoveRows(const std::wstring& database, const RowsRule& rule);
// The texts of the first column of `sql` over `database` (a system path), opened to read only;
// none where it cannot be read.
std::vector<std::string> ReadTexts(const std::wstring& database, const char* sql);
// Counts the rows the rule would remove, changing nothing.
RowsResult CountRows(const std::wstring& database, const RowsRule& rule);
