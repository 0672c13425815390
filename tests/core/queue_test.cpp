#include "framework/core/queue.h"

#include <gtest/gtest.h>

#include "framework/core/text.h"

using namespace fw::core;

namespace {
struct Line {
    Text<8> LINE;
};
} // namespace

TEST(Queue, EntriesComeOutInAppendOrderCountingFromOne)
{
    Queue<Line> q;
    EXPECT_EQ(q.count(), 0u);
    EXPECT_EQ(q.fetch(1), nullptr);
    for (const char* s : {"first", "second", "third"})
        q.append(Line{s});
    ASSERT_EQ(q.count(), 3u);
    EXPECT_EQ(q.fetch(0), nullptr);
    EXPECT_EQ(q.fetch(1)->LINE.clipped(), "first");
    EXPECT_EQ(q.fetch(3)->LINE.clipped(), "third");
    EXPECT_EQ(q.fetch(4), nullptr);
    q.free();
    EXPECT_TRUE(q.isEmpty());
    q.append(Line{"again"});
    EXPECT_EQ(q.fetch(1)->LINE.clipped(), "again");
}
