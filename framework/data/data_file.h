#pragma once
// A keyed data file, stored as one SQLite database: its records.
//
// The file is named by its label plus ".sqlite" in the current folder (found
// without regard to case, like every file of the framework). Its tables and
// indexes are its schema (schema.h): a table of the layout it was created
// with, one table of records with a column per field (texts are stored
// clipped, so trailing blanks never count, and read back padded) and one
// index per key. A database without our application id, with a different
// layout, or damaged, is refused with InvalidDataFile; a file whose key
// indexes are missing or differ reports KeyNeedsRebuild and can be mended
// with rebuildKeys(). Creation builds the new file beside its name and puts
// it in place only when it is whole.
//
// Records are read in an order, fetched by a key, added, changed and deleted
// through the record buffer.
//
// Reading keeps a cursor: setRecordOrder()/setKeyOrder() take a snapshot of
// the record numbers in that order and next() reads them one by one, so a
// cursor holds no database lock between reads (outside a read batch) and
// records changed or deleted meanwhile are read as they are now (or
// skipped). A View has a cursor of its own over the same open file.
//
// Locks: another opener holding the file (lock(), or a writer committing)
// gives FileLocked, at once unless the driver command "Recover=N" asked to
// wait up to N seconds for it. "QUICKSCAN=on"/"off" is a read-ahead hint.
//
// Read batches: outside a transaction SQLite takes and drops its shared lock,
// and looks for a hot journal, around every statement: several system calls
// for each record read. Between beginReadBatch() and endReadBatch() (see
// ReadBatch in read_batch.h) the reads share one read transaction instead,
// for a few milliseconds at a time, so a writer in another process waits for
// no longer than that. A write, a transaction or a lock of this opener ends
// the read transaction first and then works exactly as outside a batch.
//
// The byte count: right after open() it is the bytes of all records (count
// times record size); after each successful read it is the record size.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/core/error.h"
#include "framework/data/layout.h"
#include "framework/data/schema.h"

struct sqlite3;
struct sqlite3_stmt;

namespace fw::data {

namespace detail {
struct Statement;
}

// Read access: the opener wants to read, or to read and write.
enum class Access : std::uint8_t { ReadOnly, ReadWrite };

enum class WriteKind : std::uint8_t { Add, Change, Remove };

// The record numbers of one reading order and how far they have been read.
struct Cursor {
    std::vector<std::int64_t> rows;
    std::size_t next = 0;
};

class DataFile {
public:
    DataFile(FileLayout layout, void* buffer);
    ~DataFile();
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;

    const std::string& label() const { return m_schema.label(); }
    const FileLayout& layout() const { return m_schema.layout(); }
    // The path on disk, found without regard to case.
    std::string path() const;
    static constexpr std::string_view extension = ".sqlite";

    std::size_t recordSize() const { return m_schema.recordSize(); }
    void* buffer() const { return m_buffer; }
    void clearBuffer() const { clearRecord(m_buffer); }
    void clearRecord(void* record) const { m_schema.clearRecord(record); } // zeros and blanks

    // Fields are numbered from 1; fieldNumber() gives 0 for a name the layout
    // does not have.
    std::size_t fieldCount() const { return m_schema.fieldCount(); }
    const FieldSpec& field(std::size_t number) const { return m_schema.field(number); }
    std::size_t fieldNumber(std::string_view name) const { return m_schema.fieldNumber(name); }

    std::size_t keyCount() const { return m_schema.keyCount(); }
    const Key& key(std::size_t index) const { return m_schema.key(index); } // from 0, declaration order
    const Key* keyNamed(std::string_view name) const { return m_schema.keyNamed(name); }
    // The run-time order of a dynamic key; none reads in record order.
    void setDynamicComponents(const Key& key, std::vector<KeyComponent> components)
    {
        m_schema.setDynamicComponents(key, std::move(components));
    }

    // A new empty file (an existing one is replaced). The file stays closed.
    [[nodiscard]] fw::core::Expected<void> create();
    [[nodiscard]] fw::core::Expected<void> open(Access access = Access::ReadWrite);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    // Drops and recreates every key index of a closed file.
    [[nodiscard]] fw::core::Expected<void> rebuildKeys();

    // "Recover=N", "QUICKSCAN=on", "QUICKSCAN=off" (names without regard to
    // case). Returns the setting's value before the command; an unknown
    // command returns an empty text and changes nothing.
    std::string sendCommand(std::string_view command);
    int recoverSeconds() const { return m_recoverSeconds; }
    bool quickScan() const { return m_quickScan; }

    std::int64_t bytes() const { return m_bytes; }
    [[nodiscard]] fw::core::Expected<std::int64_t> records() const;

    // Reading in the file's own cursor.
    [[nodiscard]] fw::core::Expected<void> setRecordOrder();
    [[nodiscard]] fw::core::Expected<void> setKeyOrder(const Key& key);
    // Key order from the first record whose key is at or after the values in
    // the buffer.
    [[nodiscard]] fw::core::Expected<void> setKeyOrderFromBuffer(const Key& key);
    // Key order over the records whose fields `fieldNumbers` equal the
    // buffer's values (compared by the key's case rule).
    [[nodiscard]] fw::core::Expected<void> setKeyOrderMatching(const Key& key,
                                                               std::span<const std::size_t> fieldNumbers);
    // NoFurtherRecord at the end.
    [[nodiscard]] fw::core::Expected<void> next();
    // The record whose key components equal the buffer's; RecordNotFound.
    [[nodiscard]] fw::core::Expected<void> fetch(const Key& key);

    // Writes. add() stores the buffer as a new record, which becomes the
    // current one; change() rewrites the current record (the one last read
    // or added) from the buffer; remove() deletes it. Unique keys are
    // enforced with DuplicateKey.
    [[nodiscard]] fw::core::Expected<void> add();
    [[nodiscard]] fw::core::Expected<void> change();
    [[nodiscard]] fw::core::Expected<void> remove();
    bool hasCurrentRecord() const { return m_currentRow != 0; }
    // The current record as it is stored (before any change in the buffer).
    const std::vector<char>& currentImage() const { return m_currentImage; }

    // Read batches; they nest. A batch must not last across a wait for the
    // user or another thread: its read transaction would hold off writers
    // in other processes for as long.
    void beginReadBatch();
    void endReadBatch();
    bool inReadBatch() const { return m_readBatches > 0; }

    // Transactions and locks.
    [[nodiscard]] fw::core::Expected<void> beginTransaction();
    [[nodiscard]] fw::core::Expected<void> commit();
    void rollback();
    bool inTransaction() const { return m_inTransaction; }
    // Holds the file against every other opener until unlock().
    [[nodiscard]] fw::core::Expected<void> lock();
    void unlock();

    // The file's reading state, buffer and current record, for saving around
    // a look-up and restoring afterwards.
    struct State {
        std::vector<char> buffer;
        Cursor cursor;
        std::int64_t currentRow = 0;
        std::vector<char> currentImage;
        std::int64_t bytes = 0;
    };
    State saveState() const;
    void restoreState(const State& state);

    // For views: a cursor in an order of their own, and reading one record of
    // it into any buffer of this layout (which becomes the current record
    // when it is the file's own buffer).
    [[nodiscard]] fw::core::Expected<Cursor> makeCursor(const Key* key) const;
    [[nodiscard]] fw::core::Expected<void> readNext(Cursor& cursor, void* into);

    // The record as bytes of the record size, fields packed in order, and
    // back (for images and comparisons).
    std::vector<char> pack(const void* record) const { return m_schema.pack(record); }
    void unpack(const std::vector<char>& bytes, void* record) const { m_schema.unpack(bytes, record); }

    // Test seams: a write the function answers true for fails as a refused
    // disk write; the observer is called every time the driver waits for a
    // locked file. Empty functions restore normal work.
    static void setWriteFaultForTesting(std::function<bool(const DataFile&, WriteKind)> fault);
    static void setLockWaitObserverForTesting(std::function<void(const DataFile&)> observer);

private:
    using Statement = detail::Statement;
    [[nodiscard]] fw::core::Expected<void> openDatabase(const std::string& path, int flags);
    fw::core::Error sqliteError(int rc, std::string_view doing) const;
    [[nodiscard]] fw::core::Expected<void> exec(std::string_view sql, std::string_view doing);
    std::string orderBy(const Key* key) const;
    [[nodiscard]] fw::core::Expected<Cursor> cursorFor(const std::string& whereSql, const Key* key,
                                                       const std::function<void(Statement&)>& bind) const;
    // The records meeting `whereSql`, whose ?1, ?2, ... stand for the
    // buffer's values of `fieldNumbers`, in `key`'s order.
    [[nodiscard]] fw::core::Expected<Cursor> bufferCursor(const std::string& whereSql, const Key& key,
                                                          std::span<const std::size_t> fieldNumbers) const;
    // Makes `cursor` the walk next() and previous() follow, or passes its
    // error on.
    [[nodiscard]] fw::core::Expected<void> follow(fw::core::Expected<Cursor> cursor);
    [[nodiscard]] fw::core::Expected<bool> readRow(std::int64_t row, void* into);
    [[nodiscard]] fw::core::Expected<void> checkUnique(const void* record, std::int64_t exceptRow) const;
    [[nodiscard]] fw::core::Expected<void> writeAllowed(WriteKind kind) const;
    void bindField(Statement& st, int index, std::size_t fieldNumber, const void* record) const;
    static int busyHandler(void* self, int count);
    // In a read batch: opens its read transaction, or renews one that has
    // been held long enough.
    void holdReadTransaction();
    // Ends the read transaction of a batch, if one is open.
    void endReadTransaction();

    Schema m_schema;
    void* m_buffer;
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_readStatement = nullptr;
    Access m_access = Access::ReadWrite;
    Cursor m_cursor;
    std::int64_t m_currentRow = 0;
    std::vector<char> m_currentImage;
    std::int64_t m_bytes = 0;
    int m_recoverSeconds = 0;
    bool m_quickScan = false;
    bool m_inTransaction = false;
    bool m_locked = false;
    std::int64_t m_waitStartedMs = -1;
    int m_readBatches = 0;
    bool m_inReadTransaction = false;
    std::int64_t m_readTransactionBeganMs = 0;
};

} // namespace fw::data
