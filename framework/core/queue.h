#pragma once
// Queues: ordered, in-memory lists of records that live as long as their
// owner. The system only ever frees a queue, appends to it, counts it and
// fetches entry n counting from 1, so that is the whole interface.

#include <cstddef>
#include <deque>

namespace fw::core {

template <class Record>
class Queue {
public:
    using value_type = Record;

    void free() { m_records.clear(); }
    void append(const Record& record) { m_records.push_back(record); }
    std::size_t count() const { return m_records.size(); }
    bool isEmpty() const { return m_records.empty(); }

    // Entry n, counting from 1; nullptr when there is no such entry.
    const Record* fetch(std::size_t n) const
    {
        if (n == 0 || n > m_records.size())
            return nullptr;
        return &m_records[n - 1];
    }

    auto begin() const { return m_records.begin(); }
    auto end() const { return m_records.end(); }

private:
    std::deque<Record> m_records;
};

} // namespace fw::core
