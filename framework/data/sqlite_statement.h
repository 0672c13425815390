#pragma once
// The data files' border to SQLite, shared by the schema (schema.cpp) and the
// records (data_file.cpp) and used nowhere outside this library.
//
// A prepared statement is finalised on every path, so that no statement keeps
// a read lock on the file after the call that used it. SQLite's result codes
// become the framework's errors here and nowhere else: the text names the
// file, what was being done and what went wrong ("PEOPLE: reading: the file
// is locked by another user").

#include <sqlite3.h>

#include <string>
#include <string_view>

#include "framework/core/error.h"

namespace fw::data::detail {

// The layer every error of a data file names.
inline constexpr const char* Layer = "data file";

struct Statement {
    Statement(sqlite3* db, std::string_view sql)
    {
        rc = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &st, nullptr);
    }
    ~Statement() { sqlite3_finalize(st); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    int step() { return sqlite3_step(st); }

    sqlite3_stmt* st = nullptr;
    int rc = SQLITE_OK;
};

// A table, column or index name as SQL quotes it.
std::string sqlName(std::string_view name);

// The error for SQLite's result `rc`, met by the file `label` while `doing`.
core::Error sqliteError(std::string_view label, int rc, std::string_view doing);

// Runs `sql`, one statement or several.
core::Expected<void> exec(sqlite3* db, std::string_view label, std::string_view sql, std::string_view doing);

} // namespace fw::data::detail
