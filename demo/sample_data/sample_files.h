#pragma once
// The sample files the demonstration's mails attach and read: a few short
// ".doc" documents, two small stand-ins for program files and a ready-made
// HTML mail body. All written into the current folder.

#include <string>

namespace zorvane {

// The first failure in words, or an empty text when every file was written.
[[nodiscard]] std::string writeSampleFiles();

} // namespace zorvane
