#include "SqliteRows.h"

#include "FileSystem.h"
#include "PathText.h"
#include "Recording.h"

#include <windows.h>
#include <sqlite3.h>

#include <cstring>
#include <vector>

namespace {

// vx_kept_site(host): 1 where the user keeps the cookies of the host, as a cookie database
// spells it ("example.com" or ".example.com").
void KeptSite(sqlite3_context* context, int, sqlite3_value** values) {
    const unsigned char* text = sqlite3_value_text(values[0]);
    std::string host = text ? reinterpret_cast<const char*>(text) : "";
    if (!host.empty() && host.front() == '.')
        host.erase(0, 1);
    sqlite3_result_int(context, removal::KeepsCookiesOf(host) ? 1 : 0);
}

class Database {
public:
    Database() = default;
    ~Database() { sqlite3_close_v2(m_db); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    int Open(const std::string& path, int flags) {
        const int result = sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr);
        if (m_db) {
            sqlite3_extended_result_codes(m_db, 1);
            sqlite3_create_function_v2(m_db, "vx_kept_site", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                       nullptr, KeptSite, nullptr, nullptr, nullptr);
        }
        return result;
    }
    int Exec(const char* sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr); }

    // The first column of the first row, as text.
    int Single(const char* sql, std::string& value) {
        std::vector<std::string> values;
        const int result = Texts(sql, values, 1);
        if (result == SQLITE_OK && !values.empty())
            value = values.front();
        return values.empty() && result == SQLITE_OK ? SQLITE_DONE : result;
    }

    // The first column of up to `most` rows, as text.
    int Texts(const char* sql, std::vector<std::string>& values, size_t most) {
        sqlite3_stmt* statement = nullptr;
        int result = sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr);
        while (result == SQLITE_OK && values.size() < most) {
            const int step = sqlite3_step(statement);
            if (step != SQLITE_ROW) {
                result = step == SQLITE_DONE ? SQLITE_OK : step;
                break;
            }
            const unsigned char* text = sqlite3_column_text(statement, 0);
            values.push_back(text ? reinterpret_cast<const char*>(text) : "");
        }
        sqlite3_finalize(statement);
        return result;
    }

    bool Has(const char* table, const char* column) {
        return sqlite3_table_column_metadata(m_db, "main", table, column, nullptr, nullptr, nullptr,
                                             nullptr, nullptr) == SQLITE_OK;
    }

    // Whether every column the rule names exists.
    bool Knows(const RowsRule& rule) {
        for (const char* const* entry = rule.columns; *entry; ++entry) {
            const char* dot = std::strchr(*entry, '.');
            if (!dot || !Has(std::string(*entry, dot).c_str(), dot + 1))
                return false;
        }
        return true;
    }

    sqlite3* Handle() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
};

RowsOutcome OutcomeOf(int result) {
    switch (result & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
        return RowsOutcome::Held;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
    case SQLITE_SCHEMA:
    case SQLITE_ERROR:
        return RowsOutcome::Unknown;
    default:
        return RowsOutcome::Failed;
    }
}

// The ordinary path that SQLite's calls take, in UTF-8; false where that path would not name the
// same file or is too long for them.
bool SqlitePath(const std::wstring& database, std::string& utf8) {
    const std::wstring ordinary = path::Ordinary(database);
    if (ordinary.size() >= MAX_PATH || !path::OrdinaryFormReaches(ordinary))
        return false;
    utf8 = fs::ToUtf8(ordinary);
    return true;
}

bool HeldElsewhere(const std::wstring& database) {
    return !fs::Open(database, GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING, 0) &&
           GetLastError() == ERROR_SHARING_VIOLATION;
}

// Opens the database and checks that the rule knows it.
RowsOutcome OpenKnown(Database& db, const std::wstring& database, const RowsRule& rule, int flags) {
    std::string path;
    if (!SqlitePath(database, path))
        return RowsOutcome::Failed;
    if (HeldElsewhere(database))
        return RowsOutcome::Held;
    std::string mode;
    int result = db.Open(path, flags);
    if (result == SQLITE_OK)
        result = db.Single("PRAGMA journal_mode", mode);
    if (result != SQLITE_OK)
        return OutcomeOf(result);
    return db.Knows(rule) ? RowsOutcome::Done : RowsOutcome::Unknown;
}

int Count(Database& db, const RowsRule& rule, long long& rows) {
    std::string count;
    const int result = db.Single(rule.count, count);
    rows = result == SQLITE_OK ? std::strtoll(count.c_str(), nullptr, 10) : 0;
    return result;
}

int RunStatements(Database& db, const RowsRule& rule) {
    for (size_t i = 0; i < rule.statementCount; ++i) {
        const RowsStatement& statement = rule.statements[i];
        if (statement.table && !db.Has(statement.table, nullptr))
            continue;
        if (const int result = db.Exec(statement.sql); result != SQLITE_OK)
            return result;
    }
    return SQLITE_OK;
}

// A write-ahead log is kept when the connection closes, so that the caller erases it rather than
// the system freeing its blocks with the rows they held; a rollback journal is kept for the same
// reason. Returns whether the log was written back whole.
bool KeepJournals(Database& db, bool& wal) {
    std::string mode;
    db.Single("PRAGMA journal_mode", mode);
    wal = mode == "wal";
    if (!wal)
        return db.Exec("PRAGMA journal_mode = PERSIST") == SQLITE_OK;
    int keep = 1;
    return sqlite3_file_control(db.Handle(), "main", SQLITE_FCNTL_PERSIST_WAL, &keep) == SQLITE_OK;
}

bool WriteBackLog(Database& db) {
    sqlite3_stmt* statement = nullptr;
    bool whole = false;
    if (sqlite3_prepare_v2(db.Handle(), "PRAGMA wal_checkpoint(FULL)", -1, &statement, nullptr) ==
            SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
        whole = sqlite3_column_int(statement, 0) == 0 &&
                sqlite3_column_int(statement, 1) == sqlite3_column_int(statement, 2);
    sqlite3_finalize(statement);
    return whole;
}

} // namespace

RowsResult RemoveRows(const std::wstring& database, const RowsRule& rule) {
    RowsResult result;
    Database db;
    result.outcome = OpenKnown(db, database, rule, SQLITE_OPEN_READWRITE);
    bool wal = false;
    if (result.outcome != RowsOutcome::Done)
        return result;
    if (db.Exec("PRAGMA secure_delete = ON") != SQLITE_OK || !KeepJournals(db, wal)) {
        result.outcome = RowsOutcome::Failed;
        return result;
    }
    int status = db.Exec("BEGIN IMMEDIATE");
    if (status == SQLITE_OK)
        status = Count(db, rule, result.rows);
    if (status == SQLITE_OK)
        status = RunStatements(db, rule);
    if (status == SQLITE_OK)
        status = db.Exec("COMMIT");
    if (status != SQLITE_OK) {
        db.Exec("ROLLBACK");
        result.outcome = OutcomeOf(status);
        result.rows = 0;
        return result;
    }
    db.Exec("VACUUM");
    result.logWrittenBack = !wal || WriteBackLog(db);
    return result;
}

std::vector<std::string> ReadTexts(const std::wstring& database, const char* sql) {
    std::vector<std::string> texts;
    std::string path;
    Database db;
    if (SqlitePath(database, path) && db.Open(path, SQLITE_OPEN_READONLY) == SQLITE_OK)
        db.Texts(sql, texts, size_t(-1));
    return texts;
}

RowsResult CountRows(const std::wstring& database, const RowsRule& rule) {
    RowsResult result;
    Database db;
    result.outcome = OpenKnown(db, database, rule, SQLITE_OPEN_READONLY);
    if (result.outcome == RowsOutcome::Done) {
        const int status = Count(db, rule, result.rows);
        if (status != SQLITE_OK)
            result.outcome = OutcomeOf(status);
    }
    return result;
}
