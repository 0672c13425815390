#pragma once
// The report manager wired to the parts every report run has: a progress
// window, a process over a view, a report and a previewer. Its init() is the
// Init of a report procedure, written once:
//
//   the base (ReportManager::init)
//   setUp()      what the procedure does before its window opens; the base
//                does nothing. Non-zero ends the run there, and so does a run
//                without a relation to read through.
//   the window   opened (and marked as opened by the procedure)
//   the process  set up over the view, reading through the relation, its
//                percentage into the percent control and the progress value,
//                and its estimate from the step and the key field when the
//                parts name them
//   the items    Cancel (the response Cancelled), the process, the report
//                (which opens as it is added) and the previewer, in this order
//
// A procedure with nothing more to do uses the class as it is; one that does
// more replaces setUp(), or init() calling this one first and stopping when
// it returns non-zero.

#include <cstdint>
#include <optional>

#include "framework/core/binding.h"
#include "framework/process/report_manager.h"

namespace fw::data {
class View;
}
namespace fw::app {
class RelationManager;
}

namespace fw::process {

class TextStep;

struct ReportParts {
    data::View& view;
    app::RelationManager* relation; // none: nothing can be read, init() gives 1
    Process& process;
    report::Report& report;
    preview::Previewer& previewer;
    std::uint8_t& progress;   // the value the progress window's bar shows
    int percentControl;       // the text "42% Complete"
    int cancelControl;        // the button that cancels the run
    TextStep* step = nullptr; // both or neither: the estimate from a text key
    std::optional<core::Binding> keyField = {};
};

class WiredReportManager : public ReportManager {
public:
    WiredReportManager(ui::Window& window, ReportParts parts);

    [[nodiscard]] std::uint8_t init() override;

    data::View& view() const { return m_parts.view; }
    app::RelationManager* relation() const { return m_parts.relation; }

protected:
    [[nodiscard]] virtual std::uint8_t setUp() { return 0; }

private:
    ReportParts m_parts;
};

} // namespace fw::process
