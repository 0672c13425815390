#include "tests/support/shown_text.h"

#include <gtest/gtest.h>

namespace test_support {

void expectShown(const ReadPage& page, const ShownText& shown)
{
    SCOPED_TRACE(shown.text);
    const ReadText* t = page.findText(shown.text);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->x, shown.x);
    EXPECT_EQ(t->y, shown.y);
    EXPECT_EQ(t->font.face, shown.face);
    EXPECT_EQ(t->font.height, shown.height);
    EXPECT_EQ(t->font.weight, shown.weight);
    EXPECT_EQ(t->font.italic, shown.italic);
    EXPECT_EQ(t->color, shown.color);
}

} // namespace test_support
