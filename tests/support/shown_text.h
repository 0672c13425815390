#pragma once
// A text as a page is expected to show it: where it stands, in which font
// and in which colour; and the check that a page read back shows it so.

#include <cstdint>

#include "tests/support/page_reader.h"

namespace test_support {

struct ShownText {
    const char* text;
    int x, y;
    const char* face;
    int height, weight;
    bool italic;
    std::uint32_t color;
};

// Fails the test unless `page` shows `shown.text` exactly so. A page without
// the text is a fatal failure: ASSERT_NO_FATAL_FAILURE stops the caller there.
void expectShown(const ReadPage& page, const ShownText& shown);

} // namespace test_support
