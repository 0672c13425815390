#pragma once
// The page files of a demonstration job, made with the framework's own
// report engine: a small listing printed page by page, each finished page
// copied into a folder as <job><page>.wmf, which is where and how vextrel's
// builder expects the pages of a job.

#include <cstdint>
#include <string>

#include "framework/core/error.h"

namespace vextrel {

// Prints `pageCount` pages (1 to 255) and copies them into `folder` (a path
// of this system, "\" or "/" both separating folders; it must exist) as
// folder/<job>1.wmf, folder/<job>2.wmf, ... Returns the number of pages copied.
[[nodiscard]] fw::core::Expected<int> makeDemoPages(std::uint8_t job, int pageCount, const std::string& folder);

} // namespace vextrel
