#include "framework/process/process.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "framework/data/view.h"
#include "framework/process/text_step.h"
#include "tests/process/process_fixture.h"

namespace {

using namespace std::chrono_literals;
using fw::process::Process;
using test_support::PersonRecord;

// A process whose records cost what the test says, on the fake clock.
class TimedProcess : public Process {
public:
    explicit TimedProcess(FakeClock& clock) : m_clock(clock)
    {
        setClock([this] { return m_clock.now; });
    }
    std::uint8_t takeRecord() override
    {
        const std::uint8_t level = Process::takeRecord();
        ++taken;
        names.push_back(record ? record->NAME.clipped() : std::string());
        if (cost)
            m_clock.advance(cost(taken));
        if (stopAt != 0 && taken == stopAt)
            return 1;
        return level;
    }

    std::function<std::chrono::milliseconds(int record)> cost;
    int taken = 0;
    int stopAt = 0;
    const PersonRecord* record = nullptr;
    std::vector<std::string> names;

private:
    FakeClock& m_clock;
};

class ProcessTest : public ProcessFixture {
protected:
    // Batches until the run ends: the records each batch read.
    std::vector<int> batches(TimedProcess& process, int limit = 100)
    {
        std::vector<int> sizes;
        for (int i = 0; i < limit; ++i) {
            const int before = process.taken;
            const auto ended = process.takeBatch();
            sizes.push_back(process.taken - before);
            if (ended)
                break;
        }
        return sizes;
    }

    FakeClock clock;
};

struct BatchCase {
    const char* name;
    int records;
    int timeSlice; // hundredths
    std::function<std::chrono::milliseconds(int)> cost;
    std::vector<int> sizes;
    friend void PrintTo(const BatchCase& c, std::ostream* os) { *os << c.name; }
};

class ProcessBatches : public ProcessTest, public ::testing::WithParamInterface<BatchCase> {};

TEST_P(ProcessBatches, BatchesAdaptToTheTimeSlice)
{
    const BatchCase& c = GetParam();
    makePeople(people(c.records));
    auto window = makeWindow();
    fw::data::View view(*file);
    TimedProcess process(clock);
    process.init(view, *relation, *window, 3, progress);
    process.setTimeSlice(c.timeSlice);
    process.cost = c.cost;
    EXPECT_EQ(process.recordsPerCycle(), 1);
    EXPECT_EQ(batches(process), c.sizes);
    EXPECT_EQ(process.taken, c.records);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, ProcessBatches,
    ::testing::Values(
        // The last batch of each row finds the end of the view.
        BatchCase{"QuickRecordsQuadrupleTheBatch", 20, 100, [](int) { return 0ms; }, {1, 4, 15}},
        BatchCase{"RecordsUnderHalfTheSliceDoubleTheBatch", 5, 100, [](int) { return 300ms; }, {1, 2, 2, 0}},
        BatchCase{"RecordsOverHalfTheSliceKeepTheBatch", 4, 100, [](int) { return 600ms; }, {1, 1, 1, 1, 0}},
        BatchCase{"SlowRecordsCutTheBatchShort", 13, 100, [](int r) { return r <= 7 ? 0ms : 400ms; },
                  {1, 4, 5, 3, 0}},
        BatchCase{"ARecordLongerThanTheSliceIsStillOnePerBatch", 3, 100, [](int) { return 2500ms; }, {1, 1, 1, 0}},
        BatchCase{"ALongerSliceTakesLargerBatches", 11, 200, [](int) { return 400ms; }, {1, 4, 4, 2}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct ProgressCase {
    const char* name;
    int records;
    std::int32_t expected; // 0: the process counts the view
    std::vector<std::string> texts;
    friend void PrintTo(const ProgressCase& c, std::ostream* os) { *os << c.name; }
};

class ProcessProgress : public ProcessTest, public ::testing::WithParamInterface<ProgressCase> {};

TEST_P(ProcessProgress, PercentTextAndValueAfterEveryBatch)
{
    const ProgressCase& c = GetParam();
    makePeople(people(c.records));
    auto window = makeWindow();
    fw::data::View view(*file);
    TimedProcess process(clock);
    process.init(view, *relation, *window, 3, progress, nullptr, {}, c.expected);
    std::vector<std::string> texts;
    std::vector<std::string> values;
    for (int i = 0; i < 20; ++i) {
        const auto ended = process.takeBatch();
        texts.push_back(window->text(3));
        values.push_back(std::to_string(progress) + "% Complete");
        if (ended)
            break;
    }
    EXPECT_EQ(texts, c.texts);
    EXPECT_EQ(values, c.texts) << "the bound progress value says the same";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, ProcessProgress,
    ::testing::Values(
        // Batches of 1, 4 and 16 records.
        ProgressCase{"CountedFromTheView", 10, 0, {"10% Complete", "50% Complete", "100% Complete"}},
        ProgressCase{"AgainstTheExpectedCount", 10, 20, {"5% Complete", "25% Complete", "100% Complete"}},
        ProgressCase{"MoreRecordsThanExpectedStopAtHundred", 10, 4,
                     {"25% Complete", "100% Complete", "100% Complete"}},
        ProgressCase{"EmptyViewEndsAtZero", 0, 0, {"0% Complete"}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct EndCase {
    const char* name;
    int records;
    int stopAt; // the step answers non-zero at this record; 0: never
    std::uint8_t response;
    int taken;
    friend void PrintTo(const EndCase& c, std::ostream* os) { *os << c.name; }
};

class ProcessEnd : public ProcessTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(ProcessEnd, ResponseAtTheEndAndNothingReadAfterIt)
{
    const EndCase& c = GetParam();
    makePeople(people(c.records));
    auto window = makeWindow();
    fw::data::View view(*file);
    TimedProcess process(clock);
    process.init(view, *relation, *window, 3, progress);
    process.stopAt = c.stopAt;
    batches(process);
    ASSERT_TRUE(process.hasEnded());
    EXPECT_EQ(process.takeBatch(), c.response);
    EXPECT_EQ(process.takeBatch(), c.response);
    EXPECT_EQ(process.taken, c.taken);
    EXPECT_EQ(process.recordsRead(), c.taken);
    EXPECT_TRUE(capture.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, ProcessEnd,
                         ::testing::Values(EndCase{"RecordsReadCompletes", 3, 0, 1, 3},
                                           EndCase{"OneRecordIsEnough", 1, 0, 1, 1},
                                           EndCase{"NoRecordIsCancelled", 0, 0, 2, 0},
                                           EndCase{"StepAnsweringNonZeroStopsTheRun", 10, 2, 2, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProcessTest, StopEndsTheRunAsCancelledBeforeAnyRead)
{
    makePeople(people(3));
    auto window = makeWindow();
    fw::data::View view(*file);
    TimedProcess process(clock);
    process.init(view, *relation, *window, 3, progress);
    EXPECT_EQ(process.takeBatch(), std::nullopt) << "one record read, the run goes on";
    process.stop();
    EXPECT_EQ(process.takeBatch(), 2);
    EXPECT_EQ(process.taken, 1);
}

// The batch reads in a read batch of its file, which has ended by the time
// the error is shown: the message waits for the user, and the batch's read
// lock would hold off every writer of the file for as long.
TEST_F(ProcessTest, ReadErrorIsShownAndEndsTheRunAsCancelled)
{
    makePeople(people(5));
    auto window = makeWindow();
    fw::data::View view(*file);
    TimedProcess process(clock);
    process.init(view, *relation, *window, 3, progress);
    bool inBatchAtARead = false;
    process.cost = [&](int) {
        inBatchAtARead = file->inReadBatch();
        return 0ms;
    };
    EXPECT_FALSE(process.takeBatch().has_value());
    EXPECT_TRUE(inBatchAtARead);
    std::vector<bool> inBatchWhileShown;
    capture.onMessage = [&] { inBatchWhileShown.push_back(file->inReadBatch()); };
    file->close(); // the file goes away under the open view
    EXPECT_EQ(process.takeBatch(), 2);
    EXPECT_EQ(process.taken, 1);
    EXPECT_EQ(inBatchWhileShown, std::vector<bool>{false});
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_EQ(capture.messages[0].caption, "Record Retrieval Error");
    EXPECT_NE(capture.messages[0].text.find("attempting to access a record from the People file."), std::string::npos)
        << capture.messages[0].text;
    ASSERT_TRUE(process.failure().has_value());
}

TEST_F(ProcessTest, ViewOfAClosedFileEndsAsCancelledWithoutAFurtherMessage)
{
    makePeople(people(5));
    file->close(); // as when the file could not be opened: its open has spoken already
    auto window = makeWindow();
    fw::data::View view(*file);
    TimedProcess process(clock);
    process.init(view, *relation, *window, 3, progress);
    EXPECT_EQ(process.takeBatch(), 2);
    EXPECT_EQ(process.taken, 0);
    EXPECT_TRUE(capture.messages.empty());
    EXPECT_TRUE(process.failure().has_value());
}

TEST_F(ProcessTest, OwnRecordBufferLeavesTheFilesBufferAlone)
{
    makePeople({{1, "Adams", "AAA", 1}, {2, "Baker", "BBB", 2}});
    auto window = makeWindow();
    fw::data::View view(*file);
    view.setOrder(*file->keyNamed("PEO:ByName"));
    PersonRecord own;
    TimedProcess process(clock);
    process.init(view, *relation, *window, 3, progress);
    process.setRecordBuffer(&own);
    process.record = &own;
    batches(process);
    EXPECT_EQ(process.names, (std::vector<std::string>{"Adams", "Baker"}));
    EXPECT_TRUE(buffer.NAME.isBlank()) << "the file's buffer holds " << buffer.NAME.clipped();
    EXPECT_EQ(buffer.ID, 0);
}

// The step object's limits are the first and the last key of the view, so
// the first record shows 0% and the last 100%; finding them does not move
// the view, which still reads from the first record.
TEST_F(ProcessTest, TextKeyStepEstimatesFromTheKeysOfTheView)
{
    makePeople({{1, "Miller", "AAA", 1},
                {2, "Zhu", "BBB", 2},
                {3, "Adams", "CCC", 3},
                {4, "Ochoa", "DDD", 4},
                {5, "Quinn", "EEE", 5},
                {6, "Baker", "FFF", 6}});
    auto window = makeWindow();
    fw::data::View view(*file);
    view.setOrder(*file->keyNamed("PEO:ByName"));
    PersonRecord own;
    fw::process::TextStep step;
    step.init(5, 3);
    TimedProcess process(clock);
    process.init(view, *relation, *window, 3, progress, &step, fw::core::Binding::of(own.NAME));
    process.setRecordBuffer(&own);
    process.record = &own;

    std::vector<int> percents;
    for (int i = 0; i < 5; ++i) {
        const auto ended = process.takeBatch();
        percents.push_back(progress);
        if (ended)
            break;
    }
    EXPECT_EQ(process.names, (std::vector<std::string>{"Adams", "Baker", "Miller", "Ochoa", "Quinn", "Zhu"}));
    ASSERT_EQ(percents.size(), 3u); // batches of 1 and 4, then the last record and the end
    EXPECT_EQ(percents[0], 0);
    EXPECT_GT(percents[1], 0);
    EXPECT_LT(percents[1], 100);
    EXPECT_EQ(percents[2], 100);
}

} // namespace
