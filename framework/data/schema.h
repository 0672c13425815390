#pragma once
// The schema of a data file: its record layout and keys, and the SQL tables
// and indexes that hold them.
//
// A data file is one SQLite database with our application id ("RMDF") and
// format version (1) in its header and three kinds of object:
//
//   layout    one row per field in order: number, name, type ("LONG" or
//             "TEXT") and width; the layout the file was created with
//   records   "row", the record number, then a column per field named as
//             the field: INTEGER for a long, TEXT for a text (stored
//             clipped, so trailing blanks never count)
//   an index  per key that is not dynamic, named as the key, over its
//             components in order; COLLATE NOCASE on the text fields of a
//             key that ignores case, DESC on a descending component, UNIQUE
//             when the key refuses duplicates
//
// Opening checks a database against the program's layout. One without the
// application id, or whose layout table or record table differs, is not a
// file of this program (InvalidDataFile); a key index that is missing or
// differs can be rebuilt (KeyNeedsRebuild). The SQL that makes a table or an
// index is the very text the check compares with what SQLite stored, so what
// is made and what is checked cannot drift apart.
//
// Record buffers: a record is packed as its fields' bytes in order, the
// record size is their sum (whatever padding the struct has), and a cleared
// record holds blank texts and zero longs.
//
// Names of fields and keys are found without regard to case.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/error.h"
#include "framework/data/layout.h"

struct sqlite3;

namespace fw::data {

class DataFile;

// A key of a file, as declared in its layout. Owned by the file's schema.
class Key {
public:
    const KeySpec& spec() const { return *m_spec; }
    const std::string& name() const { return m_spec->name; }
    bool isUnique() const { return m_spec->duplicates == Duplicates::Refused; }
    bool isPrimary() const { return m_spec->primary == Primary::Yes; }
    bool isDynamic() const { return m_spec->dynamic == Dynamic::Yes; }
    const DataFile& file() const { return *m_file; }
    std::size_t index() const { return m_index; }

private:
    friend class Schema;
    Key(const DataFile* file, const KeySpec* spec, std::size_t index) : m_file(file), m_spec(spec), m_index(index) {}
    const DataFile* m_file;
    const KeySpec* m_spec;
    std::size_t m_index;
};

class Schema {
public:
    // The schema of `layout`, whose keys belong to `file`.
    Schema(FileLayout layout, const DataFile* file);
    Schema(const Schema&) = delete;
    Schema& operator=(const Schema&) = delete;

    const FileLayout& layout() const { return m_layout; }
    const std::string& label() const { return m_layout.label; }
    std::size_t recordSize() const { return m_recordSize; }

    std::size_t fieldCount() const { return m_layout.fields.size(); }
    const FieldSpec& field(std::size_t number) const { return m_layout.fields.at(number - 1); } // from 1
    // The number of the field named `name`, from 1; 0 when there is none.
    std::size_t fieldNumber(std::string_view name) const;
    // The field's column, quoted for SQL.
    std::string column(std::size_t number) const;

    std::size_t keyCount() const { return m_keys.size(); }
    const Key& key(std::size_t index) const { return *m_keys.at(index); } // from 0, declaration order
    const Key* keyNamed(std::string_view name) const;
    // The run-time order of a dynamic key of this file; none reads in record
    // order.
    void setDynamicComponents(const Key& key, std::vector<KeyComponent> components);
    // The components a key orders by: a dynamic key's as set, any other's as
    // declared.
    const std::vector<KeyComponent>& componentsOf(const Key& key) const;
    // Whether `key` compares field `number` without regard to case.
    bool ignoresCase(const Key& key, std::size_t number) const;

    void clearRecord(void* record) const; // zeros and blanks
    std::vector<char> pack(const void* record) const;
    void unpack(const std::vector<char>& bytes, void* record) const;

    // The SQL that gives a new, empty database the schema, in one
    // transaction.
    std::string createSql() const;
    // Drops every index of `db` and makes the key indexes anew, in one
    // transaction (rolled back when it fails).
    [[nodiscard]] core::Expected<void> rebuildKeys(sqlite3* db) const;

    // The checks of an open database: its header, layout table and record
    // table (InvalidDataFile), and its key indexes (KeyNeedsRebuild).
    [[nodiscard]] core::Expected<void> checkTables(sqlite3* db) const;
    [[nodiscard]] core::Expected<void> checkKeys(sqlite3* db) const;

private:
    std::string createTableSql() const;
    std::string createIndexSql(const Key& key) const;

    FileLayout m_layout;
    const DataFile* m_file;
    std::size_t m_recordSize = 0;
    std::vector<std::unique_ptr<Key>> m_keys;
    std::vector<std::vector<KeyComponent>> m_dynamicComponents;
};

} // namespace fw::data
