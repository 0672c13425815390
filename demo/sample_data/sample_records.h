#pragma once
// The demonstration's invented records, written into the data files of the
// current folder (each file is created anew).

#include <string>

namespace zorvane {

// The first failure in words, or an empty text when every file was written.
[[nodiscard]] std::string writeSampleRecords();

} // namespace zorvane
