#include "framework/data/sqlite_statement.h"

#include "framework/core/error_codes.h"

namespace fw::data::detail {

namespace Code = fw::core::ErrorCode;

std::string sqlName(std::string_view name)
{
    std::string s = "\"";
    for (char c : name) {
        s += c;
        if (c == '"')
            s += '"';
    }
    return s + "\"";
}

core::Error sqliteError(std::string_view label, int rc, std::string_view doing)
{
    int code = Code::FileSystemError;
    std::string what;
    switch (rc & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        code = Code::FileLocked;
        what = "the file is locked by another user";
        break;
    case SQLITE_NOTADB:
        code = Code::InvalidDataFile;
        what = "the file is not a data file of this program";
        break;
    case SQLITE_CORRUPT:
        code = Code::InvalidDataFile;
        what = "the file is damaged";
        break;
    case SQLITE_CONSTRAINT:
        code = Code::DuplicateKey;
        what = "a unique key would be duplicated";
        break;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        code = Code::AccessDenied;
        what = "access denied";
        break;
    case SQLITE_CANTOPEN:
        code = Code::AccessDenied;
        what = "the file cannot be opened";
        break;
    default:
        what = sqlite3_errstr(rc);
        break;
    }
    return core::Error{Layer, std::string(label) + ": " + std::string(doing) + ": " + what, code};
}

core::Expected<void> exec(sqlite3* db, std::string_view label, std::string_view sql, std::string_view doing)
{
    char* message = nullptr;
    const int rc = sqlite3_exec(db, std::string(sql).c_str(), nullptr, nullptr, &message);
    sqlite3_free(message);
    if (rc != SQLITE_OK)
        return std::unexpected(sqliteError(label, rc, doing));
    return {};
}

} // namespace fw::data::detail
