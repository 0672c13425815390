#include "framework/process/process.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/app/error_manager.h"
#include "framework/app/relation_manager.h"
#include "framework/core/error_codes.h"
#include "framework/data/read_batch.h"
#include "framework/data/view.h"
#include "framework/process/text_step.h"
#include "framework/ui/window.h"
#include "framework/ui/window_manager.h"

namespace fw::process {

void Process::init(data::View& view, app::RelationManager& relation, ui::Window& window, int percentControl,
                   std::uint8_t& progress, TextStep* step, std::optional<core::Binding> keyField,
                   std::int32_t expectedRecords)
{
    m_view = &view;
    m_relation = &relation;
    m_window = &window;
    m_percentControl = percentControl;
    m_progress = &progress;
    m_step = keyField ? step : nullptr;
    m_keyField = step ? keyField : std::nullopt;
    m_expectedRecords = std::max<std::int32_t>(expectedRecords, 0);
    m_state = State::Ready;
    m_response = 0;
    m_recordsRead = 0;
    m_total = 0;
    m_shownText.clear();
    m_failure.reset();
    *m_progress = 0;
}

void Process::kill()
{
    if (m_openedView && m_view)
        m_view->close();
    m_openedView = false;
}

std::uint8_t Process::takeRecord() { return 0; }

void Process::stop()
{
    if (m_state != State::Ended)
        end(ui::Response::Cancelled);
}

// The view is opened at the first batch rather than in init(): the
// procedure gives it its order and switches on quick-scan reading after
// setting the process up, and both must hold before the first read.
bool Process::start()
{
    if (!m_view) {
        m_failure = core::Error{"process", "no view is set up", 0};
        end(ui::Response::Cancelled);
        return false;
    }
    if (!m_view->isOpen()) {
        if (auto opened = m_view->open(); !opened) {
            m_failure = opened.error();
            end(ui::Response::Cancelled);
            return false;
        }
        m_openedView = true;
    }
    m_total = m_expectedRecords > 0 ? static_cast<std::size_t>(m_expectedRecords) : m_view->recordCount();
    if (m_step)
        findStepLimits();
    return true;
}

// The key values of the first and the last record in the view's order,
// read through a cursor of their own into a scratch buffer, so that neither
// the view's position nor any record buffer changes.
void Process::findStepLimits()
{
    m_step->clearLimits();
    data::DataFile& file = m_view->file();
    const char* buffer = static_cast<const char*>(m_buffer ? m_buffer : file.buffer());
    std::size_t extent = 0;
    for (const data::FieldSpec& field : file.layout().fields)
        extent = std::max(extent, field.offset + field.width);
    const char* key = static_cast<const char*>(m_keyField->address());
    if (key < buffer || key + m_keyField->width() > buffer + extent)
        return; // a key field outside the record: the whole alphabet is the range
    const std::size_t offset = static_cast<std::size_t>(key - buffer);

    auto cursor = file.makeCursor(m_view->order());
    if (!cursor || cursor->rows.empty())
        return;
    std::vector<char> scratch(extent);
    auto keyAt = [&](std::size_t index) -> std::optional<std::string> {
        cursor->next = index;
        if (!file.readNext(*cursor, scratch.data()))
            return std::nullopt;
        if (m_keyField->kind() == core::Binding::Kind::Text)
            return std::string(scratch.data() + offset, m_keyField->width());
        std::int32_t number = 0;
        std::memcpy(&number, scratch.data() + offset, std::min<std::size_t>(m_keyField->width(), sizeof number));
        return core::toText(number);
    };
    const auto first = keyAt(0);
    const auto last = keyAt(cursor->rows.size() - 1);
    if (first && last)
        m_step->setLimits(*first, *last);
}

std::optional<std::uint8_t> Process::takeBatch()
{
    if (m_state == State::Ended)
        return m_response;
    if (m_state == State::Ready) {
        m_state = State::Reading;
        if (!start())
            return m_response;
    }

    const auto now = [this] { return m_clock ? m_clock() : std::chrono::steady_clock::now(); };
    const auto slice = std::chrono::milliseconds(std::int64_t{m_timeSlice} * 10);
    const auto began = now();
    std::int32_t done = 0;
    bool cutShort = false;
    std::optional<core::Error> readFailure;

    {
        // The batch reads its records in read transactions of the file
        // rather than taking the file's lock anew for every record. That
        // is safe because a batch runs from start to end without waiting:
        // no other framework thread runs meanwhile, and the file lets a
        // writer in another process in every few milliseconds. The batch
        // ends before the read error below is shown, which waits for the
        // user.
        data::ReadBatch batch(m_view->file());
        while (done < m_recordsPerCycle) {
            if (auto read = m_view->next(m_buffer); !read) {
                if (read.error().code == core::ErrorCode::NoFurtherRecord) {
                    updateProgress(m_recordsRead > 0 ? 100 : 0);
                    return end(m_recordsRead > 0 ? ui::Response::Completed : ui::Response::Cancelled);
                }
                readFailure = read.error();
                break;
            }
            ++m_recordsRead;
            ++done;
            if (takeRecord() != 0)
                return end(ui::Response::Cancelled);
            if (m_state == State::Ended) // the step stopped the run itself
                return m_response;
            if (now() - began >= slice) {
                cutShort = done < m_recordsPerCycle;
                break;
            }
        }
    }
    if (readFailure) {
        m_failure = readFailure;
        // The run ends whatever the message answers: the view cannot be
        // read any further.
        if (m_relation && m_relation->files().isInitialised())
            (void)m_relation->files().errors().throwFileMessage(app::Msg::RetrievalFailed, m_relation->files().name(),
                                                                *readFailure);
        return end(ui::Response::Cancelled);
    }

    const auto elapsed = now() - began;
    if (cutShort)
        m_recordsPerCycle = std::max<std::int32_t>(done, 1);
    else if (elapsed < slice / 4)
        m_recordsPerCycle = std::min<std::int32_t>(m_recordsPerCycle * 4, MaximumRecordsPerCycle);
    else if (elapsed < slice / 2)
        m_recordsPerCycle = std::min<std::int32_t>(m_recordsPerCycle * 2, MaximumRecordsPerCycle);
    updateProgress();
    return std::nullopt;
}

void Process::updateProgress(std::optional<std::uint8_t> percent)
{
    if (!m_progress)
        return;
    if (!percent) {
        if (m_step && m_keyField)
            percent = m_step->percentile(m_keyField->text());
        else if (m_total > 0)
            percent = static_cast<std::uint8_t>(
                std::min<std::int64_t>(100, m_recordsRead * 100 / static_cast<std::int64_t>(m_total)));
        else
            percent = 0;
    }
    *m_progress = *percent;
    std::string text = std::to_string(*percent) + "% Complete";
    if (text != m_shownText) {
        m_shownText = std::move(text);
        if (m_window && m_percentControl != 0)
            m_window->setText(m_percentControl, m_shownText);
    }
}

std::uint8_t Process::end(std::uint8_t response)
{
    m_state = State::Ended;
    m_response = response;
    return response;
}

} // namespace fw::process
