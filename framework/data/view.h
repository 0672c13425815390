#pragma once
// A view: one file read in a chosen order, through a filter.
//
// A view has a cursor of its own, so several views (of one run or of runs on
// different framework threads) can read the same open file at once without
// disturbing each other or the file's own cursor. By default next() reads
// into the file's record buffer, which then holds the current record; a run
// that must not share that buffer passes a buffer of its own (a struct of the
// same layout).
//
// The filter is a text. The empty filter lets every record through; any other
// text is compiled by the filter compiler that the expression layer installs
// (without one it fails with the expression error code, 800).

#include <functional>
#include <string>
#include <string_view>

#include "framework/core/error.h"
#include "framework/data/data_file.h"

namespace fw::data {

// True lets the record (a buffer of the file's layout) through.
using RecordFilter = std::function<bool(const void* record)>;
using FilterCompiler = std::function<fw::core::Expected<RecordFilter>(std::string_view text, const DataFile& file)>;

class View {
public:
    explicit View(DataFile& file) : m_file(file) {}

    DataFile& file() const { return m_file; }

    // The sort order: a key of the view's file, or record order (no key).
    void setOrder(const Key& key) { m_key = &key; }
    void setRecordOrder() { m_key = nullptr; }
    const Key* order() const { return m_key; }

    [[nodiscard]] fw::core::Expected<void> setFilter(std::string_view text);
    const std::string& filter() const { return m_filterText; }

    // Takes the snapshot of the order; the file must be open.
    [[nodiscard]] fw::core::Expected<void> open();
    // NoFurtherRecord at the end; `into` is the file's buffer when null.
    [[nodiscard]] fw::core::Expected<void> next(void* into = nullptr);
    void close();
    bool isOpen() const { return m_open; }

    // For progress estimates: the records in the order and how many have been
    // passed so far (filtered or not).
    std::size_t recordCount() const { return m_cursor.rows.size(); }
    std::size_t position() const { return m_cursor.next; }

    static void setFilterCompiler(FilterCompiler compiler);

private:
    DataFile& m_file;
    const Key* m_key = nullptr;
    std::string m_filterText;
    RecordFilter m_filter;
    Cursor m_cursor;
    bool m_open = false;
};

} // namespace fw::data
