#include "framework/threads/scheduler.h"

#include <string>
#include <vector>

#include <ostream>

#include <gtest/gtest.h>

#include "framework/core/thread_values.h"

namespace {

using fw::threads::ThreadNumber;

// A shared log of what ran, in order: interleaving shows only in it.
struct Trace {
    std::vector<std::string> lines;
    void add(std::string line) { lines.push_back(std::move(line)); }
};

TEST(FiberScheduler, StartedThreadRunsOnlyWhenTheStarterWaits)
{
    Trace trace;
    const ThreadNumber t = fw::threads::start([&] { trace.add("thread runs"); });
    trace.add("starter goes on");
    EXPECT_TRUE(fw::threads::isAlive(t));
    fw::threads::waitForThread(t);
    trace.add("starter after wait");
    EXPECT_FALSE(fw::threads::isAlive(t));
    EXPECT_EQ(trace.lines, (std::vector<std::string>{"starter goes on", "thread runs", "starter after wait"}));
}

TEST(FiberScheduler, TwoThreadsInterleaveOnlyAtTheirWaits)
{
    Trace trace;
    int turn = 0; // which thread may go on: advanced by the one that runs
    auto worker = [&](std::string name, int mine, int next) {
        return [&trace, &turn, name, mine, next] {
            for (int step = 1; step <= 3; ++step) {
                fw::threads::waitUntil([&] { return turn == mine; });
                trace.add(name + " step " + std::to_string(step) + " a");
                trace.add(name + " step " + std::to_string(step) + " b");
                turn = next;
            }
        };
    };
    const ThreadNumber a = fw::threads::start(worker("A", 0, 1));
    const ThreadNumber b = fw::threads::start(worker("B", 1, 0));
    fw::threads::waitUntil([&] { return !fw::threads::isAlive(a) && !fw::threads::isAlive(b); });

    const std::vector<std::string> expected{"A step 1 a", "A step 1 b", "B step 1 a", "B step 1 b",
                                            "A step 2 a", "A step 2 b", "B step 2 a", "B step 2 b",
                                            "A step 3 a", "A step 3 b", "B step 3 a", "B step 3 b"};
    EXPECT_EQ(trace.lines, expected);
}

TEST(FiberScheduler, EachThreadHasItsOwnRequestResponseAndFurtherNumber)
{
    struct Seen {
        int request = -1, response = -1, further = -1;
    };
    Seen seenA, seenB;
    bool aSet = false, bSet = false;
    fw::core::threadValues() = {7, 8, 9};

    auto body = [&](std::uint8_t request, std::uint8_t response, std::int32_t further, bool& mineSet, bool& otherSet,
                    Seen& seen) {
        return [&, request, response, further] {
            auto& v = fw::core::threadValues();
            EXPECT_EQ(v.request, 0) << "a new thread starts from zero";
            v.request = request;
            v.response = response;
            v.further = further;
            mineSet = true;
            fw::threads::waitUntil([&] { return otherSet; });
            seen = {fw::core::threadValues().request, fw::core::threadValues().response,
                    fw::core::threadValues().further};
        };
    };
    const ThreadNumber a = fw::threads::start(body(1, 2, 3, aSet, bSet, seenA));
    const ThreadNumber b = fw::threads::start(body(4, 5, 6, bSet, aSet, seenB));
    fw::threads::waitForThread(a);
    fw::threads::waitForThread(b);

    EXPECT_EQ(seenA.request, 1);
    EXPECT_EQ(seenA.response, 2);
    EXPECT_EQ(seenA.further, 3);
    EXPECT_EQ(seenB.request, 4);
    EXPECT_EQ(seenB.response, 5);
    EXPECT_EQ(seenB.further, 6);
    EXPECT_EQ(fw::core::threadValues().request, 7);
    EXPECT_EQ(fw::core::threadValues().response, 8);
    EXPECT_EQ(fw::core::threadValues().further, 9);
    fw::core::threadValues() = {};
}

// The frame calls a report procedure directly: it waits inside a nested
// procedure on its own stack, and a thread started meanwhile must still run.
TEST(FiberScheduler, ThreadStartedDuringANestedWaitGetsItsTurn)
{
    Trace trace;
    bool nestedDone = false;
    const ThreadNumber frame = fw::threads::start([&] {
        auto nestedReport = [&] {
            const ThreadNumber worker = fw::threads::start([&] { trace.add("worker ran"); });
            trace.add("nested waits");
            fw::threads::waitForThread(worker);
            trace.add("nested resumes");
            nestedDone = true;
        };
        trace.add("frame calls nested");
        nestedReport();
        trace.add("frame after nested");
    });
    fw::threads::waitForThread(frame);
    EXPECT_TRUE(nestedDone);
    EXPECT_EQ(trace.lines, (std::vector<std::string>{"frame calls nested", "nested waits", "worker ran",
                                                     "nested resumes", "frame after nested"}));
}

TEST(FiberScheduler, ThreadNumbersAreNewAndTheCurrentNumberFollowsTheRunningThread)
{
    ThreadNumber seenInside = 0;
    const ThreadNumber first = fw::threads::start([&] { seenInside = fw::threads::currentThread(); });
    const ThreadNumber second = fw::threads::start([] {});
    EXPECT_GT(first, fw::threads::mainThread);
    EXPECT_GT(second, first);
    EXPECT_EQ(fw::threads::currentThread(), fw::threads::mainThread);
    fw::threads::waitForThread(second);
    fw::threads::waitForThread(first);
    EXPECT_EQ(seenInside, first);
}

struct StackCase {
    const char* name;
    friend void PrintTo(const StackCase& c, std::ostream* os) { *os << c.name; }
    std::size_t asked;
    std::size_t given;
};

class FiberStackSize : public testing::TestWithParam<StackCase> {};

TEST_P(FiberStackSize, IsAtLeastOneMebibyte)
{
    EXPECT_EQ(fw::threads::stackSizeFor(GetParam().asked), GetParam().given);
}

INSTANTIATE_TEST_SUITE_P(Asked, FiberStackSize,
                         testing::Values(StackCase{"Default", 0, 1u << 20}, StackCase{"ReportStack", 50000, 1u << 20},
                                         StackCase{"ExactlyMinimum", 1u << 20, 1u << 20},
                                         StackCase{"Larger", 4u << 20, 4u << 20}),
                         [](const auto& info) { return std::string(info.param.name); });

// A thread asked for 50000 bytes uses far more than that without faulting.
int deepRecursion(int depth)
{
    volatile char buffer[1024];
    buffer[0] = static_cast<char>(depth);
    if (depth == 0)
        return buffer[0];
    return deepRecursion(depth - 1) + buffer[0];
}

TEST(FiberScheduler, SmallStackRequestStillRunsDeepCalls)
{
    int result = -1;
    const ThreadNumber t = fw::threads::start([&] { result = deepRecursion(600); }, 50000);
    fw::threads::waitForThread(t);
    EXPECT_GE(result, 0);
}

} // namespace
