// The schema's SQL: what makes a new file's tables and indexes, and what an
// open file's tables and indexes are checked against.
//
// SQLite keeps the text of every CREATE TABLE and CREATE INDEX it ran, and
// the checks compare that stored text with the text made here, byte for byte.
// So the text for a given layout must never change: a file written by an
// earlier build would read as a file of another program (its record table)
// or as a file whose keys need rebuilding (its indexes). The layout table is
// compared field by field instead, which is what tells a changed layout
// from a file that is not ours at all.

#include "framework/data/schema.h"

#include <sqlite3.h>

#include <cstring>

#include "framework/core/error_codes.h"
#include "framework/core/text.h"
#include "framework/data/sqlite_statement.h"

namespace fw::data {

using detail::Layer;
using detail::sqlName;
using detail::Statement;
using fw::core::Expected;
using fw::core::fail;
namespace Code = fw::core::ErrorCode;

namespace {

// "RMDF": marks a database as a data file of this framework, so that any other
// SQLite database is refused instead of being read as if it were ours.
constexpr int kApplicationId = 0x524D4446;
constexpr int kFormatVersion = 1;

const char* typeName(const FieldSpec& f) { return f.type == FieldType::Long ? "LONG" : "TEXT"; }

} // namespace

Schema::Schema(FileLayout layout, const DataFile* file) : m_layout(std::move(layout)), m_file(file)
{
    for (const FieldSpec& f : m_layout.fields)
        m_recordSize += f.width;
    for (std::size_t i = 0; i < m_layout.keys.size(); ++i)
        m_keys.push_back(std::unique_ptr<Key>(new Key(m_file, &m_layout.keys[i], i)));
    m_dynamicComponents.resize(m_layout.keys.size());
}

std::size_t Schema::fieldNumber(std::string_view name) const
{
    for (std::size_t i = 0; i < m_layout.fields.size(); ++i)
        if (core::upperCase(m_layout.fields[i].name) == core::upperCase(name))
            return i + 1;
    return 0;
}

std::string Schema::column(std::size_t number) const { return sqlName(field(number).name); }

const Key* Schema::keyNamed(std::string_view name) const
{
    for (const auto& k : m_keys)
        if (core::upperCase(k->name()) == core::upperCase(name))
            return k.get();
    return nullptr;
}

void Schema::setDynamicComponents(const Key& key, std::vector<KeyComponent> components)
{
    if (&key.file() == m_file && key.isDynamic())
        m_dynamicComponents[key.index()] = std::move(components);
}

const std::vector<KeyComponent>& Schema::componentsOf(const Key& key) const
{
    return key.isDynamic() ? m_dynamicComponents[key.index()] : key.spec().components;
}

bool Schema::ignoresCase(const Key& key, std::size_t number) const
{
    return field(number).type == FieldType::Text && key.spec().caseRule == CaseRule::Insensitive;
}

void Schema::clearRecord(void* record) const
{
    char* base = static_cast<char*>(record);
    for (const FieldSpec& f : m_layout.fields)
        std::memset(base + f.offset, f.type == FieldType::Text ? ' ' : 0, f.width);
}

std::vector<char> Schema::pack(const void* record) const
{
    std::vector<char> bytes;
    bytes.reserve(m_recordSize);
    const char* base = static_cast<const char*>(record);
    for (const FieldSpec& f : m_layout.fields)
        bytes.insert(bytes.end(), base + f.offset, base + f.offset + f.width);
    return bytes;
}

void Schema::unpack(const std::vector<char>& bytes, void* record) const
{
    if (bytes.size() != m_recordSize)
        return;
    char* base = static_cast<char*>(record);
    std::size_t at = 0;
    for (const FieldSpec& f : m_layout.fields) {
        std::memcpy(base + f.offset, bytes.data() + at, f.width);
        at += f.width;
    }
}

std::string Schema::createTableSql() const
{
    std::string sql = "CREATE TABLE records(row INTEGER PRIMARY KEY";
    for (const FieldSpec& f : m_layout.fields)
        sql += ", " + sqlName(f.name) + (f.type == FieldType::Long ? " INTEGER NOT NULL" : " TEXT NOT NULL");
    return sql + ")";
}

std::string Schema::createIndexSql(const Key& key) const
{
    std::string sql = std::string(key.isUnique() ? "CREATE UNIQUE INDEX " : "CREATE INDEX ") + sqlName(key.name()) +
                      " ON records(";
    bool first = true;
    for (const KeyComponent& c : key.spec().components) {
        const std::size_t n = fieldNumber(c.field);
        if (n == 0)
            continue;
        if (!first)
            sql += ", ";
        first = false;
        sql += column(n);
        if (ignoresCase(key, n))
            sql += " COLLATE NOCASE";
        if (c.order == Order::Descending)
            sql += " DESC";
    }
    return sql + ")";
}

std::string Schema::createSql() const
{
    std::string sql = "PRAGMA application_id = " + fw::core::toText(kApplicationId) +
                      "; PRAGMA user_version = " + fw::core::toText(kFormatVersion) +
                      "; BEGIN; CREATE TABLE layout(number INTEGER PRIMARY KEY, name TEXT NOT NULL, "
                      "type TEXT NOT NULL, width INTEGER NOT NULL); " +
                      createTableSql() + ";";
    for (std::size_t i = 0; i < m_layout.fields.size(); ++i) {
        const FieldSpec& f = m_layout.fields[i];
        std::string escaped;
        for (char c : f.name) {
            escaped += c;
            if (c == '\'')
                escaped += '\'';
        }
        sql += " INSERT INTO layout VALUES(" + fw::core::toText(static_cast<std::int64_t>(i + 1)) + ", '" + escaped +
               "', '" + typeName(f) + "', " + fw::core::toText(static_cast<std::int64_t>(f.width)) + ");";
    }
    for (const auto& k : m_keys)
        if (!k->isDynamic())
            sql.append(" ").append(createIndexSql(*k)).append(";");
    return sql + " COMMIT;";
}

Expected<void> Schema::rebuildKeys(sqlite3* db) const
{
    std::vector<std::string> indexes;
    {
        Statement st(db, "SELECT name FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL");
        while (st.rc == SQLITE_OK && st.step() == SQLITE_ROW)
            indexes.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st.st, 0)));
    }
    std::string sql = "BEGIN;";
    for (const std::string& name : indexes)
        sql += " DROP INDEX " + sqlName(name) + ";";
    for (const auto& k : m_keys)
        if (!k->isDynamic())
            sql.append(" ").append(createIndexSql(*k)).append(";");
    sql += " COMMIT;";
    auto result = detail::exec(db, label(), sql, "rebuilding keys");
    if (!result)
        (void)detail::exec(db, label(), "ROLLBACK", "rebuilding keys"); // the rebuild's own error is the one returned
    return result;
}

Expected<void> Schema::checkTables(sqlite3* db) const
{
    {
        Statement st(db, "PRAGMA application_id");
        if (st.rc != SQLITE_OK)
            return std::unexpected(detail::sqliteError(label(), st.rc, "opening"));
        const int rc = st.step();
        if (rc != SQLITE_ROW)
            return std::unexpected(detail::sqliteError(label(), rc, "opening"));
        if (sqlite3_column_int(st.st, 0) != kApplicationId)
            return fail(Layer, label() + ": opening: the file is not a data file of this program",
                        Code::InvalidDataFile);
    }
    {
        Statement st(db, "SELECT number, name, type, width FROM layout ORDER BY number");
        if (st.rc != SQLITE_OK)
            return fail(Layer, label() + ": opening: the file has no record layout", Code::InvalidDataFile);
        std::size_t n = 0;
        bool same = true;
        int rc;
        while ((rc = st.step()) == SQLITE_ROW) {
            if (n >= m_layout.fields.size()) {
                same = false;
                break;
            }
            const FieldSpec& f = m_layout.fields[n];
            const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(st.st, 1));
            const auto* type = reinterpret_cast<const char*>(sqlite3_column_text(st.st, 2));
            if (sqlite3_column_int64(st.st, 0) != static_cast<std::int64_t>(n + 1) || !name || !type ||
                f.name != name || std::string(type) != typeName(f) ||
                sqlite3_column_int64(st.st, 3) != static_cast<std::int64_t>(f.width))
                same = false;
            ++n;
        }
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            return std::unexpected(detail::sqliteError(label(), rc, "opening"));
        if (!same || n != m_layout.fields.size())
            return fail(Layer, label() + ": opening: the file's record layout differs from the program's",
                        Code::InvalidDataFile);
    }
    {
        Statement st(db, "SELECT sql FROM sqlite_master WHERE type = 'table' AND name = 'records'");
        const int rc = st.rc == SQLITE_OK ? st.step() : st.rc;
        const auto* sql = rc == SQLITE_ROW ? reinterpret_cast<const char*>(sqlite3_column_text(st.st, 0)) : nullptr;
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            return std::unexpected(detail::sqliteError(label(), rc, "opening"));
        if (!sql || createTableSql() != sql)
            return fail(Layer, label() + ": opening: the file's record table differs from the program's",
                        Code::InvalidDataFile);
    }
    return {};
}

Expected<void> Schema::checkKeys(sqlite3* db) const
{
    for (const auto& k : m_keys) {
        if (k->isDynamic())
            continue;
        Statement q(db, "SELECT sql FROM sqlite_master WHERE type = 'index' AND name = ?1");
        sqlite3_bind_text(q.st, 1, k->name().c_str(), -1, SQLITE_TRANSIENT);
        const int rc = q.rc == SQLITE_OK ? q.step() : q.rc;
        const auto* sql = rc == SQLITE_ROW ? reinterpret_cast<const char*>(sqlite3_column_text(q.st, 0)) : nullptr;
        if (!sql || createIndexSql(*k) != sql)
            return fail(Layer, label() + ": opening: key " + k->name() + " needs rebuilding", Code::KeyNeedsRebuild);
    }
    return {};
}

} // namespace fw::data
