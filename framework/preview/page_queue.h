#pragma once
// The page queue: one entry per finished report page, in page order, each
// naming the page file. The report appends to it, the previewer's display
// operation and the mail hook read it, the report manager empties it.

#include "framework/core/queue.h"
#include "framework/core/text.h"

namespace fw::preview {

struct PageQueueEntry {
    core::Text<80> name; // the page file, a system path
};

using PageQueue = core::Queue<PageQueueEntry>;

} // namespace fw::preview
