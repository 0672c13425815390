#pragma once
// The report manager: the window procedure of a report run. It binds a
// process, a report and a previewer to the progress window and drives them
// from the window's events.
//
//   open-window  starts the window's timer when its layout has none
//   timer        one batch of the process; when the run has ended, the
//                response is set and the window asked to close
//   Cancel       (an item added with Action::Cancel) response 2; the process
//                reads nothing more, even on timer events already queued
//   close        the end of the run: the progress window is hidden; only
//                when the response is 1 the last page is ended, the
//                previewer's display operation is called with the page
//                queue and the pages are printed when it returns non-zero;
//                then the page queue is emptied and the report closed. A
//                run that ends without a response of its own (the window
//                closed from outside) counts as cancelled.
//
// Response 1 means every record was printed and the pages went to the
// previewer: a page that cannot be written turns it into 2 and nothing is
// displayed. What went wrong is kept in failure().
//
// Replaced operations (init, kill, takeWindowEvent, takeAccepted) call the
// base first and stop when it returns non-zero, as every window procedure's.

#include <cstdint>
#include <optional>

#include "framework/core/error.h"
#include "framework/ui/window_manager.h"

namespace fw::app {
class ErrorManager;
}
namespace fw::report {
class Report;
}
namespace fw::preview {
class Previewer;
}

namespace fw::process {

class Process;

class ReportManager : public ui::WindowManager {
public:
    // The timer a progress window gets when its layout sets none.
    static constexpr int DefaultTimer = 1; // hundredths of a second

    explicit ReportManager(ui::Window& window);
    ~ReportManager() override;

    [[nodiscard]] std::uint8_t init() override;
    // Ends a run that has not ended yet (dropping its pages), closes the
    // process's view, then the base.
    [[nodiscard]] std::uint8_t kill() override;
    [[nodiscard]] std::uint8_t takeAccepted() override;
    [[nodiscard]] std::uint8_t takeWindowEvent() override;

    // Binding. The report's pages go to the previewer's page queue, and the
    // report is opened for printing.
    void addItem(Process& process);
    void addItem(report::Report& report);
    void addItem(preview::Previewer& previewer);
    using ui::WindowManager::addItem;

    // The error manager that shows what the run meets, and the program's
    // navigation request, which a report run leaves alone (it has no
    // records to page through) but hands on to the procedures it calls.
    void setErrors(app::ErrorManager& errors) { m_errors = &errors; }
    app::ErrorManager* errors() const { return m_errors; }
    void setNavigationRequest(std::uint8_t& request) { m_navigationRequest = &request; }
    std::uint8_t* navigationRequest() const { return m_navigationRequest; }

    Process* process() const { return m_process; }
    report::Report* report() const { return m_report; }
    preview::Previewer* previewer() const { return m_previewer; }

    // Whether the display operation was called in this run.
    bool displayed() const { return m_displayed; }
    const std::optional<core::Error>& failure() const { return m_failure; }

private:
    void endRun();
    [[nodiscard]] bool openReport();

    Process* m_process = nullptr;
    report::Report* m_report = nullptr;
    preview::Previewer* m_previewer = nullptr;
    app::ErrorManager* m_errors = nullptr;
    std::uint8_t* m_navigationRequest = nullptr;
    bool m_closing = false; // the run has ended; the close is on its way
    bool m_ended = false;
    bool m_displayed = false;
    std::optional<core::Error> m_failure;
};

} // namespace fw::process
