#pragma once
// The process: walks a view record by record on the timer of a progress
// window, in batches, keeping a progress value (0 to 100) and a percentage
// text ("42% Complete") up to date, and calling the per-record step for every
// record read.
//
// Batches. Each timer event reads one batch: at most recordsPerCycle()
// records, and no more once the time slice has passed, so that the window
// gets its events (Cancel among them) at least once a slice. The first batch
// is one record and the slice 100 hundredths of a second. A batch that read
// all its records in less than a quarter of the slice makes the next one
// four times as large, in less than half the slice twice as large; a batch
// cut short by the slice makes the next one as large as what it managed. So
// the batch grows within a few timer events to about a slice of work,
// whatever a record costs, and shrinks again when records get slower; the
// cut at the slice keeps even an overgrown batch from holding the window
// longer than one slice. A batch reads in the file's read transactions
// (data/read_batch.h), not with a lock taken for every record.
//
// Progress. With a step object (text_step.h) and the key field, the estimate
// comes from the key's value; otherwise from the count of records read
// against the expected record count, or, when that is 0, the number of
// records in the view's order (taken when the view opens).
//
// End. When the view has no further record the run ends with the response
// Completed (1) if at least one record was read and Cancelled (2) if none
// was. A read error ends it with 2 after the error manager has shown it, as
// does a per-record step that returns non-zero, or a view that cannot be
// opened (its file's open has reported that already). After the end the
// process reads nothing more.
//
// Record buffer. The view reads into its file's record buffer unless
// setRecordBuffer() names one of the same layout: runs that may be under way
// at the same time over one file give each its own buffer, and bind their
// report fields and key field to it.

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "framework/core/binding.h"
#include "framework/core/error.h"

namespace fw::data {
class View;
}
namespace fw::app {
class RelationManager;
}
namespace fw::ui {
class Window;
}

namespace fw::process {

class TextStep;

class Process {
public:
    // The clock the batches are timed by; a test can give its own.
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    static constexpr std::int32_t FirstRecordsPerCycle = 1;
    static constexpr std::int32_t FirstTimeSlice = 100; // hundredths of a second
    static constexpr std::int32_t MaximumRecordsPerCycle = 1 << 20;

    Process() = default;
    virtual ~Process() = default;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Sets the process up for a run over `view`, reporting through the file
    // of `relation`, writing the percentage text into control `percentControl`
    // of `window` (0: none) and the percentage into `progress`. `step` and
    // `keyField` go together: both or neither. `expectedRecords` 0 leaves the
    // count to the process.
    void init(data::View& view, app::RelationManager& relation, ui::Window& window, int percentControl,
              std::uint8_t& progress, TextStep* step = nullptr, std::optional<core::Binding> keyField = {},
              std::int32_t expectedRecords = 0);
    // Closes the view when the process opened it.
    void kill();

    void setRecordBuffer(void* buffer) { m_buffer = buffer; }
    void* recordBuffer() const { return m_buffer; }

    // Processing parameters; the reports of the demonstration keep the first
    // values.
    void setRecordsPerCycle(std::int32_t records)
    {
        m_recordsPerCycle = std::clamp<std::int32_t>(records, 1, MaximumRecordsPerCycle);
    }
    std::int32_t recordsPerCycle() const { return m_recordsPerCycle; }
    void setTimeSlice(std::int32_t hundredths) { m_timeSlice = std::max<std::int32_t>(hundredths, 1); }
    std::int32_t timeSlice() const { return m_timeSlice; }
    void setClock(Clock clock) { m_clock = std::move(clock); }

    // The per-record step, called once for every record the view read, with
    // the record in the buffer. The base does nothing and returns 0 (go on);
    // any other value ends the run as cancelled.
    [[nodiscard]] virtual std::uint8_t takeRecord();

    // One batch, for one timer event. Returns the response once the run has
    // ended (at this call or before), nothing while it goes on.
    [[nodiscard]] std::optional<std::uint8_t> takeBatch();
    // Ends the run from outside (Cancel): nothing more is read.
    void stop();

    bool hasEnded() const { return m_state == State::Ended; }
    std::int64_t recordsRead() const { return m_recordsRead; }
    std::uint8_t progress() const { return m_progress ? *m_progress : 0; }
    // The fault that ended the run, if one did.
    const std::optional<core::Error>& failure() const { return m_failure; }

private:
    enum class State : std::uint8_t { Ready, Reading, Ended };

    [[nodiscard]] bool start();
    void findStepLimits();
    void updateProgress(std::optional<std::uint8_t> percent = std::nullopt);
    std::uint8_t end(std::uint8_t response);

    data::View* m_view = nullptr;
    app::RelationManager* m_relation = nullptr;
    ui::Window* m_window = nullptr;
    int m_percentControl = 0;
    std::uint8_t* m_progress = nullptr;
    TextStep* m_step = nullptr;
    std::optional<core::Binding> m_keyField;
    std::int32_t m_expectedRecords = 0;
    void* m_buffer = nullptr;

    std::int32_t m_recordsPerCycle = FirstRecordsPerCycle;
    std::int32_t m_timeSlice = FirstTimeSlice;
    Clock m_clock;

    State m_state = State::Ready;
    std::uint8_t m_response = 0;
    bool m_openedView = false;
    std::int64_t m_recordsRead = 0;
    std::size_t m_total = 0;
    std::string m_shownText;
    std::optional<core::Error> m_failure;
};

} // namespace fw::process
