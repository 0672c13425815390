#pragma once
// A scope in which the reads of one data file share read transactions (see
// DataFile's read batches): the process reads each of its batches in one,
// since a batch runs without waiting for anything.

#include "framework/data/data_file.h"

namespace fw::data {

class ReadBatch {
public:
    explicit ReadBatch(DataFile& file) : m_file(file) { m_file.beginReadBatch(); }
    ~ReadBatch() { m_file.endReadBatch(); }
    ReadBatch(const ReadBatch&) = delete;
    ReadBatch& operator=(const ReadBatch&) = delete;

private:
    DataFile& m_file;
};

} // namespace fw::data
