// The records of a data file, over the tables its schema makes (schema.cpp).
//
// Reading. A reading order is a cursor: the record numbers of every record
// in that order, taken in one query (the key's columns, then "row", so that
// records with equal keys read in the order they were added). next() reads
// the record of the cursor's next number with one statement, prepared once
// per open, bound to the number and reset after each use, so that it holds no
// lock between reads. A record deleted since the cursor was taken is
// skipped; one changed meanwhile is read as it is now.
//
// Read batches. Outside a transaction every read takes SQLite's shared lock
// and drops it again. Inside a batch the reads share one read transaction,
// renewed once it has been held for kReadHoldMs, so that a writer in another
// process waits no longer than that. Every write, transaction and lock of
// this opener ends the batch's read transaction first; the next read of the
// batch opens a new one.
//
// Writes. The record buffer is stored as a new record (add), over the
// current record (change) or the current record is deleted (remove). Before
// an add or a change, every unique key is looked up in the file, so that a
// duplicate is refused with the key's name instead of SQLite's constraint
// text. The current record is the one last read into the file's own buffer
// or added; its image is kept as it was stored.

#include "framework/data/data_file.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include "framework/core/error_codes.h"
#include "framework/core/text.h"
#include "framework/data/sqlite_statement.h"
#include "framework/fs/path.h"
#include "framework/fs/read_only.h"
#include "framework/fs/staged_file.h"

namespace fw::data {

using fw::core::Error;
using fw::core::Expected;
using fw::core::fail;
namespace Code = fw::core::ErrorCode;

namespace {

constexpr const char* kLayer = detail::Layer;

// How long a read batch keeps one read transaction before it lets go and
// takes a new one. While it is held, a writer in another process can make
// its changes but not commit them; SQLite's writer then holds off new
// readers and waits for this one to let go, which it does within this
// time, and the next read of the batch waits for the writer in turn (or
// fails at once as locked, as any read does without "Recover=N"). Against
// a few hundred records read in that time, taking the lock again costs
// nothing worth counting.
constexpr std::int64_t kReadHoldMs = 10;

// Cache pages while quick-scan reading is on (negative: in KiB) and off.
constexpr const char* kQuickScanCache = "PRAGMA cache_size = -16384";
constexpr const char* kNormalCache = "PRAGMA cache_size = -2000";

std::function<bool(const DataFile&, WriteKind)>& writeFault()
{
    static std::function<bool(const DataFile&, WriteKind)> fault;
    return fault;
}

std::function<void(const DataFile&)>& lockWaitObserver()
{
    static std::function<void(const DataFile&)> observer;
    return observer;
}

std::int64_t nowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

DataFile::DataFile(FileLayout layout, void* buffer) : m_schema(std::move(layout), this), m_buffer(buffer) {}

DataFile::~DataFile() { close(); }

std::string DataFile::path() const { return fw::fs::resolve(label() + std::string(extension)).string(); }

Error DataFile::sqliteError(int rc, std::string_view doing) const { return detail::sqliteError(label(), rc, doing); }

Expected<void> DataFile::exec(std::string_view sql, std::string_view doing)
{
    return detail::exec(m_db, label(), sql, doing);
}

int DataFile::busyHandler(void* self, int count)
{
    auto* file = static_cast<DataFile*>(self);
    if (count == 0)
        file->m_waitStartedMs = nowMs();
    if (nowMs() - file->m_waitStartedMs >= static_cast<std::int64_t>(file->m_recoverSeconds) * 1000)
        return 0;
    if (lockWaitObserver())
        lockWaitObserver()(*file);
    // The other opener releases its lock in its own time; polling is the only
    // way SQLite offers to wait for it.
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return 1;
}

Expected<void> DataFile::openDatabase(const std::string& path, int flags)
{
    const int rc = sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        Error e = sqliteError(rc, "opening");
        sqlite3_close(m_db);
        m_db = nullptr;
        return std::unexpected(e);
    }
    sqlite3_extended_result_codes(m_db, 0);
    sqlite3_busy_handler(m_db, &DataFile::busyHandler, this);
    return {};
}

Expected<void> DataFile::create()
{
    if (isOpen())
        return fail(kLayer, label() + ": cannot be created while it is open", Code::FileAlreadyOpen);
    // The new file is built under a temporary name and put in place only
    // when it is complete: a creation that fails (a full disk) leaves no
    // empty file that every later open would refuse as not a data file of
    // ours, and keeps the file that was there.
    const std::string where = path();
    auto staged = fw::fs::StagedFile::begin(where);
    if (!staged)
        return fail(kLayer, label() + ": creating: " + staged.error().message, staged.error().code);
    const std::string temporary = staged->temporaryPath();
    std::error_code ignored;
    if (auto r = openDatabase(temporary, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE); !r) {
        std::filesystem::remove(temporary + "-journal", ignored);
        return r;
    }
    auto result = exec(m_schema.createSql(), "creating");
    sqlite3_close(m_db);
    m_db = nullptr;
    // A failed creation may leave its journal; the temporary goes with the
    // staged file.
    std::filesystem::remove(temporary + "-journal", ignored);
    if (!result)
        return result;
    // A journal beside the old file belongs to it: beside the new file SQLite
    // would play it back into the new one.
    std::filesystem::remove(where + "-journal", ignored);
    if (auto committed = staged->commit(fw::fs::StagedFile::Sync::Yes); !committed)
        return fail(kLayer, label() + ": creating: " + committed.error().message, Code::FileSystemError);
    return {};
}

Expected<void> DataFile::open(Access access)
{
    if (isOpen())
        return fail(kLayer, label() + ": already open", Code::FileAlreadyOpen);
    const std::string where = path();
    struct stat st;
    if (::stat(where.c_str(), &st) != 0)
        return fail(kLayer, label() + ": opening: " + where + " does not exist", Code::FileNotFound);
    if (!S_ISREG(st.st_mode))
        return fail(kLayer, label() + ": opening: " + where + " is not a file", Code::InvalidDataFile);
    // Permission bits decide, even for a superuser (read_only.h).
    if (access == Access::ReadWrite && fw::fs::isReadOnly(st))
        return fail(kLayer, label() + ": opening: the file is read-only", Code::AccessDenied);

    const int flags = access == Access::ReadWrite ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY;
    if (auto r = openDatabase(where, flags); !r)
        return r;
    m_access = access;
    auto checked = m_schema.checkTables(m_db);
    if (checked)
        checked = m_schema.checkKeys(m_db);
    if (checked) {
        auto count = records();
        if (!count)
            checked = std::unexpected(count.error());
        else
            m_bytes = *count * static_cast<std::int64_t>(recordSize());
    }
    if (!checked) {
        sqlite3_close(m_db);
        m_db = nullptr;
        return checked;
    }
    if (m_quickScan)
        (void)exec(kQuickScanCache, "reading ahead"); // a cache size only speeds reading: without it reads still work
    m_cursor = Cursor{};
    m_currentRow = 0;
    m_currentImage.clear();
    return {};
}

void DataFile::close()
{
    if (!m_db)
        return;
    sqlite3_finalize(m_readStatement);
    m_readStatement = nullptr;
    if (m_inTransaction || m_locked || m_inReadTransaction)
        (void)exec("ROLLBACK", "closing"); // closing the database ends the transaction all the same
    m_inTransaction = false;
    m_locked = false;
    m_inReadTransaction = false;
    sqlite3_close(m_db);
    m_db = nullptr;
    m_cursor = Cursor{};
    m_currentRow = 0;
    m_currentImage.clear();
}

Expected<void> DataFile::rebuildKeys()
{
    if (isOpen())
        return fail(kLayer, label() + ": keys cannot be rebuilt while the file is open", Code::FileAlreadyOpen);
    const std::string where = path();
    if (!std::filesystem::exists(where))
        return fail(kLayer, label() + ": rebuilding keys: " + where + " does not exist", Code::FileNotFound);
    if (auto r = openDatabase(where, SQLITE_OPEN_READWRITE); !r)
        return r;
    auto result = m_schema.checkTables(m_db);
    if (result)
        result = m_schema.rebuildKeys(m_db);
    sqlite3_close(m_db);
    m_db = nullptr;
    return result;
}

std::string DataFile::sendCommand(std::string_view command)
{
    const std::size_t eq = command.find('=');
    const std::string name = fw::core::upperCase(fw::core::clip(fw::core::trimLeft(command.substr(0, eq))));
    const std::string value = eq == std::string_view::npos
                                  ? std::string()
                                  : std::string(fw::core::clip(fw::core::trimLeft(command.substr(eq + 1))));
    if (name == "RECOVER") {
        const std::string before = fw::core::toText(m_recoverSeconds);
        if (eq != std::string_view::npos)
            m_recoverSeconds = std::max(0, fw::core::toNumber(value));
        return before;
    }
    if (name == "QUICKSCAN") {
        const std::string before = m_quickScan ? "on" : "off";
        if (eq != std::string_view::npos) {
            m_quickScan = fw::core::upperCase(value) == "ON";
            if (isOpen())
                (void)exec(m_quickScan ? kQuickScanCache : kNormalCache, "reading ahead"); // only speeds reading
        }
        return before;
    }
    return {};
}

Expected<std::int64_t> DataFile::records() const
{
    if (!isOpen())
        return fail(kLayer, label() + ": not open", Code::FileNotOpen);
    Statement st(m_db, "SELECT count(*) FROM records");
    const int rc = st.rc == SQLITE_OK ? st.step() : st.rc;
    if (rc != SQLITE_ROW)
        return std::unexpected(sqliteError(rc, "counting records"));
    return sqlite3_column_int64(st.st, 0);
}

void DataFile::bindField(Statement& st, int index, std::size_t number, const void* record) const
{
    const FieldSpec& f = field(number);
    const char* at = static_cast<const char*>(record) + f.offset;
    if (f.type == FieldType::Long) {
        std::int32_t v;
        std::memcpy(&v, at, sizeof v);
        sqlite3_bind_int(st.st, index, v);
    } else {
        const std::string_view text = fw::core::clip(std::string_view(at, f.width));
        sqlite3_bind_text(st.st, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
}

std::string DataFile::orderBy(const Key* key) const
{
    std::string sql;
    if (key) {
        for (const KeyComponent& c : m_schema.componentsOf(*key)) {
            const std::size_t n = fieldNumber(c.field);
            if (n == 0)
                continue;
            sql += m_schema.column(n);
            if (m_schema.ignoresCase(*key, n))
                sql += " COLLATE NOCASE";
            sql += c.order == Order::Descending ? " DESC, " : ", ";
        }
    }
    return sql + "row";
}

Expected<Cursor> DataFile::cursorFor(const std::string& whereSql, const Key* key,
                                     const std::function<void(Statement&)>& bind) const
{
    if (!isOpen())
        return fail(kLayer, label() + ": not open", Code::FileNotOpen);
    if (key && &key->file() != this)
        return fail(kLayer, label() + ": key " + key->name() + " belongs to another file", Code::RecordNotFound);
    Statement st(m_db, "SELECT row FROM records" + (whereSql.empty() ? std::string() : " WHERE " + whereSql) +
                           " ORDER BY " + orderBy(key));
    if (st.rc != SQLITE_OK)
        return std::unexpected(sqliteError(st.rc, "reading"));
    if (bind)
        bind(st);
    Cursor cursor;
    int rc;
    while ((rc = st.step()) == SQLITE_ROW)
        cursor.rows.push_back(sqlite3_column_int64(st.st, 0));
    if (rc != SQLITE_DONE)
        return std::unexpected(sqliteError(rc, "reading"));
    return cursor;
}

Expected<Cursor> DataFile::bufferCursor(const std::string& whereSql, const Key& key,
                                        std::span<const std::size_t> fieldNumbers) const
{
    return cursorFor(whereSql, &key, [&](Statement& st) {
        for (std::size_t i = 0; i < fieldNumbers.size(); ++i)
            bindField(st, static_cast<int>(i + 1), fieldNumbers[i], m_buffer);
    });
}

Expected<void> DataFile::follow(Expected<Cursor> cursor)
{
    if (!cursor)
        return std::unexpected(cursor.error());
    m_cursor = std::move(*cursor);
    return {};
}

Expected<Cursor> DataFile::makeCursor(const Key* key) const { return cursorFor({}, key, {}); }

Expected<void> DataFile::setRecordOrder() { return follow(makeCursor(nullptr)); }

Expected<void> DataFile::setKeyOrder(const Key& key) { return follow(makeCursor(&key)); }

Expected<void> DataFile::setKeyOrderFromBuffer(const Key& key)
{
    // "At or after" in the key's own order, component by component: either
    // this component is past the buffer's value, or it is equal and the rest
    // is at or after the rest of the buffer's values.
    std::vector<std::size_t> numbers;
    std::vector<std::string> terms;
    const auto& components = m_schema.componentsOf(key);
    for (const KeyComponent& c : components) {
        const std::size_t n = fieldNumber(c.field);
        if (n == 0)
            continue;
        numbers.push_back(n);
        terms.push_back(m_schema.column(n) + (m_schema.ignoresCase(key, n) ? " COLLATE NOCASE" : "") +
                        (c.order == Order::Descending ? " <" : " >"));
    }
    std::string where;
    for (std::size_t i = numbers.size(); i-- > 0;) {
        const std::string param = std::string("?").append(fw::core::toText(static_cast<std::int64_t>(i + 1)));
        const std::string column = terms[i].substr(0, terms[i].size() - 2);
        if (where.empty())
            where = "(" + terms[i] + "= " + param + ")";
        else
            where = "(" + terms[i] + " " + param + " OR (" + column + " = " + param + " AND " + where + "))";
    }
    return follow(bufferCursor(where, key, numbers));
}

Expected<void> DataFile::setKeyOrderMatching(const Key& key, std::span<const std::size_t> fieldNumbers)
{
    std::string where;
    for (std::size_t i = 0; i < fieldNumbers.size(); ++i) {
        const std::size_t n = fieldNumbers[i];
        if (n == 0 || n > fieldCount())
            return fail(kLayer, label() + ": no field " + fw::core::toText(static_cast<std::int64_t>(n)),
                        Code::RecordNotFound);
        if (!where.empty())
            where += " AND ";
        where += m_schema.column(n) + " = ?" + fw::core::toText(static_cast<std::int64_t>(i + 1)) +
                 (m_schema.ignoresCase(key, n) ? " COLLATE NOCASE" : "");
    }
    return follow(bufferCursor(where, key, fieldNumbers));
}

Expected<bool> DataFile::readRow(std::int64_t row, void* into)
{
    // Reading is the hot path of every report, so its statement is prepared
    // once per open; it is reset after each use and so holds no lock between
    // reads (a read batch holds one, see holdReadTransaction()).
    if (!m_readStatement) {
        std::string sql = "SELECT ";
        for (std::size_t i = 0; i < fieldCount(); ++i)
            sql += (i ? ", " : "") + m_schema.column(i + 1);
        sql += " FROM records WHERE row = ?1";
        const int rc = sqlite3_prepare_v2(m_db, sql.c_str(), -1, &m_readStatement, nullptr);
        if (rc != SQLITE_OK) {
            sqlite3_finalize(m_readStatement);
            m_readStatement = nullptr;
            return std::unexpected(sqliteError(rc, "reading"));
        }
    }
    holdReadTransaction();
    sqlite3_stmt* st = m_readStatement;
    struct Reset {
        sqlite3_stmt* st;
        ~Reset() { sqlite3_reset(st); }
    } reset{st};
    sqlite3_bind_int64(st, 1, row);
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_DONE)
        return false;
    if (rc != SQLITE_ROW)
        return std::unexpected(sqliteError(rc, "reading"));
    char* base = static_cast<char*>(into);
    for (std::size_t i = 0; i < fieldCount(); ++i) {
        const FieldSpec& f = field(i + 1);
        char* at = base + f.offset;
        const int column = static_cast<int>(i);
        if (f.type == FieldType::Long) {
            const std::int32_t v = static_cast<std::int32_t>(sqlite3_column_int64(st, column));
            std::memcpy(at, &v, sizeof v);
        } else {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, column));
            const std::size_t length = text ? static_cast<std::size_t>(sqlite3_column_bytes(st, column)) : 0;
            const std::size_t n = std::min(length, f.width);
            if (n)
                std::memcpy(at, text, n);
            std::memset(at + n, ' ', f.width - n);
        }
    }
    return true;
}

Expected<void> DataFile::readNext(Cursor& cursor, void* into)
{
    if (!isOpen())
        return fail(kLayer, label() + ": not open", Code::FileNotOpen);
    while (cursor.next < cursor.rows.size()) {
        const std::int64_t row = cursor.rows[cursor.next++];
        auto found = readRow(row, into);
        if (!found)
            return std::unexpected(found.error());
        if (!*found)
            continue; // deleted since the cursor was made
        if (into == m_buffer) {
            m_currentRow = row;
            m_currentImage = pack(into);
        }
        m_bytes = static_cast<std::int64_t>(recordSize());
        return {};
    }
    return fail(kLayer, label() + ": no further record", Code::NoFurtherRecord);
}

Expected<void> DataFile::next() { return readNext(m_cursor, m_buffer); }

Expected<void> DataFile::fetch(const Key& key)
{
    std::vector<std::size_t> numbers;
    for (const KeyComponent& c : m_schema.componentsOf(key))
        if (std::size_t n = fieldNumber(c.field))
            numbers.push_back(n);
    if (numbers.empty())
        return fail(kLayer, label() + ": key " + key.name() + " has no components to fetch by", Code::RecordNotFound);
    Cursor saved = m_cursor;
    auto matched = setKeyOrderMatching(key, numbers);
    Cursor found = std::move(m_cursor);
    m_cursor = std::move(saved);
    if (!matched)
        return matched;
    if (found.rows.empty())
        return fail(kLayer, label() + ": no record with that " + key.name(), Code::RecordNotFound);
    found.rows.erase(found.rows.begin() + 1, found.rows.end());
    auto r = readNext(found, m_buffer);
    if (!r && r.error().code == Code::NoFurtherRecord)
        return fail(kLayer, label() + ": no record with that " + key.name(), Code::RecordNotFound);
    return r;
}

Expected<void> DataFile::writeAllowed(WriteKind kind) const
{
    if (!isOpen())
        return fail(kLayer, label() + ": not open", Code::FileNotOpen);
    if (m_access == Access::ReadOnly)
        return fail(kLayer, label() + ": opened for reading only", Code::AccessDenied);
    if (kind != WriteKind::Add && m_currentRow == 0)
        return fail(kLayer, label() + ": there is no current record", Code::RecordNotFound);
    if (writeFault() && writeFault()(*this, kind))
        return fail(kLayer, label() + ": the disk refused the write", Code::FileSystemError);
    return {};
}

Expected<void> DataFile::checkUnique(const void* record, std::int64_t exceptRow) const
{
    for (std::size_t index = 0; index < keyCount(); ++index) {
        const Key& k = key(index);
        if (!k.isUnique() || k.isDynamic())
            continue;
        std::vector<std::size_t> numbers;
        std::string where;
        for (const KeyComponent& c : k.spec().components) {
            const std::size_t n = fieldNumber(c.field);
            if (n == 0)
                continue;
            numbers.push_back(n);
            where += m_schema.column(n) + " = ?" + fw::core::toText(static_cast<std::int64_t>(numbers.size())) +
                     (m_schema.ignoresCase(k, n) ? " COLLATE NOCASE" : "") + " AND ";
        }
        Statement st(m_db, "SELECT 1 FROM records WHERE " + where + "row <> ?" +
                               fw::core::toText(static_cast<std::int64_t>(numbers.size() + 1)) + " LIMIT 1");
        if (st.rc != SQLITE_OK)
            return std::unexpected(sqliteError(st.rc, "checking keys"));
        for (std::size_t i = 0; i < numbers.size(); ++i)
            bindField(st, static_cast<int>(i + 1), numbers[i], record);
        sqlite3_bind_int64(st.st, static_cast<int>(numbers.size() + 1), exceptRow);
        const int rc = st.step();
        if (rc == SQLITE_ROW)
            return fail(kLayer, label() + ": the record would duplicate key " + k.name(), Code::DuplicateKey);
        if (rc != SQLITE_DONE)
            return std::unexpected(sqliteError(rc, "checking keys"));
    }
    return {};
}

Expected<void> DataFile::add()
{
    if (auto r = writeAllowed(WriteKind::Add); !r)
        return r;
    endReadTransaction();
    if (auto r = checkUnique(m_buffer, 0); !r)
        return r;
    std::string names, params;
    for (std::size_t i = 0; i < fieldCount(); ++i) {
        names += (i ? ", " : "") + m_schema.column(i + 1);
        params += (i ? ", ?" : "?") + fw::core::toText(static_cast<std::int64_t>(i + 1));
    }
    Statement st(m_db, "INSERT INTO records(" + names + ") VALUES(" + params + ")");
    if (st.rc != SQLITE_OK)
        return std::unexpected(sqliteError(st.rc, "adding a record"));
    for (std::size_t i = 0; i < fieldCount(); ++i)
        bindField(st, static_cast<int>(i + 1), i + 1, m_buffer);
    const int rc = st.step();
    if (rc != SQLITE_DONE)
        return std::unexpected(sqliteError(rc, "adding a record"));
    m_currentRow = sqlite3_last_insert_rowid(m_db);
    m_currentImage = pack(m_buffer);
    return {};
}

Expected<void> DataFile::change()
{
    if (auto r = writeAllowed(WriteKind::Change); !r)
        return r;
    endReadTransaction();
    if (auto r = checkUnique(m_buffer, m_currentRow); !r)
        return r;
    std::string sets;
    for (std::size_t i = 0; i < fieldCount(); ++i)
        sets += (i ? ", " : "") + m_schema.column(i + 1) + " = ?" + fw::core::toText(static_cast<std::int64_t>(i + 1));
    Statement st(m_db, "UPDATE records SET " + sets + " WHERE row = ?" +
                           fw::core::toText(static_cast<std::int64_t>(fieldCount() + 1)));
    if (st.rc != SQLITE_OK)
        return std::unexpected(sqliteError(st.rc, "changing a record"));
    for (std::size_t i = 0; i < fieldCount(); ++i)
        bindField(st, static_cast<int>(i + 1), i + 1, m_buffer);
    sqlite3_bind_int64(st.st, static_cast<int>(fieldCount() + 1), m_currentRow);
    const int rc = st.step();
    if (rc != SQLITE_DONE)
        return std::unexpected(sqliteError(rc, "changing a record"));
    if (sqlite3_changes(m_db) == 0)
        return fail(kLayer, label() + ": the record was deleted meanwhile", Code::RecordNotFound);
    m_currentImage = pack(m_buffer);
    return {};
}

Expected<void> DataFile::remove()
{
    if (auto r = writeAllowed(WriteKind::Remove); !r)
        return r;
    endReadTransaction();
    Statement st(m_db, "DELETE FROM records WHERE row = ?1");
    if (st.rc != SQLITE_OK)
        return std::unexpected(sqliteError(st.rc, "deleting a record"));
    sqlite3_bind_int64(st.st, 1, m_currentRow);
    const int rc = st.step();
    if (rc != SQLITE_DONE)
        return std::unexpected(sqliteError(rc, "deleting a record"));
    m_currentRow = 0;
    m_currentImage.clear();
    return {};
}

Expected<void> DataFile::beginTransaction()
{
    if (!isOpen())
        return fail(kLayer, label() + ": not open", Code::FileNotOpen);
    if (m_inTransaction || m_locked)
        return fail(kLayer, label() + ": a transaction is already running", Code::FileLocked);
    endReadTransaction();
    if (auto r = exec("BEGIN IMMEDIATE", "starting a transaction"); !r)
        return r;
    m_inTransaction = true;
    return {};
}

Expected<void> DataFile::commit()
{
    if (!m_inTransaction)
        return {};
    auto r = exec("COMMIT", "committing");
    if (!r) {
        (void)exec("ROLLBACK", "committing"); // the failed COMMIT is the error that counts
    }
    m_inTransaction = false;
    return r;
}

void DataFile::rollback()
{
    if (!m_inTransaction)
        return;
    (void)exec("ROLLBACK", "rolling back"); // nothing to roll back is no fault, and rollback() reports nothing
    m_inTransaction = false;
}

Expected<void> DataFile::lock()
{
    if (!isOpen())
        return fail(kLayer, label() + ": not open", Code::FileNotOpen);
    if (m_locked || m_inTransaction)
        return {};
    endReadTransaction();
    if (auto r = exec("BEGIN EXCLUSIVE", "locking"); !r)
        return r;
    m_locked = true;
    return {};
}

void DataFile::unlock()
{
    if (!m_locked)
        return;
    (void)exec("COMMIT", "unlocking"); // the lock only held reads together; unlock() reports nothing
    m_locked = false;
}

void DataFile::beginReadBatch() { ++m_readBatches; }

void DataFile::endReadBatch()
{
    if (m_readBatches > 0 && --m_readBatches == 0)
        endReadTransaction();
}

void DataFile::holdReadTransaction()
{
    if (m_readBatches == 0 || m_inTransaction || m_locked)
        return;
    const std::int64_t now = nowMs();
    if (m_inReadTransaction) {
        if (now - m_readTransactionBeganMs < kReadHoldMs)
            return;
        endReadTransaction();
    }
    // BEGIN takes no lock yet: the read that follows takes the shared lock,
    // and a failure to get it is that read's error, as outside a batch.
    if (sqlite3_get_autocommit(m_db) && exec("BEGIN", "reading")) {
        m_inReadTransaction = true;
        m_readTransactionBeganMs = now;
    }
}

void DataFile::endReadTransaction()
{
    if (!m_inReadTransaction)
        return;
    m_inReadTransaction = false;
    // Ending a transaction that only read cannot fail for want of a lock;
    // should it fail all the same, the rollback lets go just as well.
    if (!exec("COMMIT", "reading"))
        (void)exec("ROLLBACK", "reading");
}

DataFile::State DataFile::saveState() const
{
    return State{pack(m_buffer), m_cursor, m_currentRow, m_currentImage, m_bytes};
}

void DataFile::restoreState(const State& state)
{
    unpack(state.buffer, m_buffer);
    m_cursor = state.cursor;
    m_currentRow = state.currentRow;
    m_currentImage = state.currentImage;
    m_bytes = state.bytes;
}

void DataFile::setWriteFaultForTesting(std::function<bool(const DataFile&, WriteKind)> fault)
{
    writeFault() = std::move(fault);
}

void DataFile::setLockWaitObserverForTesting(std::function<void(const DataFile&)> observer)
{
    lockWaitObserver() = std::move(observer);
}

} // namespace fw::data
