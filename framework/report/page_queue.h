#pragma once
// The page queue: one entry per finished page of a report, in page order,
// naming the page's file. The report appends to it; the previewer shows and
// prints what it names, and a report's mail hook copies the files it names.

#include "framework/core/queue.h"
#include "framework/core/text.h"

namespace fw::report {

struct PageEntry {
    // The page file's full path, blank-padded. Wide enough for any path of a
    // report's temporary folder; a report never appends a name it would cut.
    core::Text<256> PRINTPREVIEWIMAGE;
};

using PageQueue = core::Queue<PageEntry>;

} // namespace fw::report
