#pragma once
// The one body of the five report procedures, run with a report's row of
// values (report_definition.h), and the registration of their layouts.
//
// A run: the progress window and the report are made from their stored
// layouts; the report manager runs Init, the window's events and Kill. Init
// names the procedure to the error manager, opens the file through its
// relation manager, opens the window, sets the process up over a view of
// the run's own (in the row's key order or in record order, with the step
// object for text keys when the row names a step field), binds Cancel, the
// process, the report and the previewer (whose display is the report's mail
// hook), empties control 2, switches quick-scan reading on and allows zoom.
// Every record the process reads prints one detail band. Kill closes the
// file and restores the procedure name. The response is left in the
// thread's global response: 1 when every record was printed and the pages
// went to the previewer, 2 otherwise (cancelled, no record, a read or page
// error, a layout or dictionary that is not there).

#include <cstdint>
#include <functional>
#include <string_view>

#include "demo/reports/report_definition.h"

namespace zorvane {

// The program's navigation request, handed to every report manager.
extern std::uint8_t NavigationRequest;

void runReport(const ReportDefinition& definition);

// Stores the progress window and the report layout of every report under
// its module key. Idempotent; the module initialiser of the reports calls it
// (registerReportModules), and a run that finds its layouts missing too.
void registerReportLayouts();
void registerReportModules();

// Test seam: called in every run after each detail band has been printed,
// with the procedure's name and the number of the record (from 1). It may
// wait (a wait of the run's thread), so a test can act in the middle of a
// run. An empty function removes it.
using RecordObserver = std::function<void(std::string_view procedure, std::int64_t record)>;
void setRecordObserverForTesting(RecordObserver observer);

} // namespace zorvane
