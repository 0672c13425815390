#pragma once
// The stored layouts of the five reports: the progress window
// "P1$PROGRESSWINDOW" (the same in every module) and the report "P1$REPORT"
// of each module, as data tables.
//
// All report positions and sizes are thousandths of an inch on A4 portrait.
// Every report has a page header (title, a box round the column headings,
// separator lines, headings), a detail band printed once per record (the
// same separator lines, the fields, a line along its bottom edge) and a page
// footer with the page number.

#include <string_view>

#include "framework/report/report_layout.h"
#include "framework/ui/layout.h"

namespace zorvane {

inline constexpr std::string_view ProgressWindowLabel = "P1$PROGRESSWINDOW";
inline constexpr std::string_view ReportLabel = "P1$REPORT";

// Controls of the progress window, by number.
namespace ProgressControl {
inline constexpr int Thermometer = 1; // bound to the progress value, 0 to 100
inline constexpr int UserText = 2;    // emptied when the run starts
inline constexpr int PercentText = 3; // "42% Complete"
inline constexpr int Cancel = 4;
} // namespace ProgressControl

// The timer of the progress window: every batch of records is read on one
// of its events, so it only sets the shortest pause between batches.
inline constexpr int ProgressTimer = 1; // hundredths of a second

fw::ui::WindowLayout progressWindowLayout(std::string_view moduleKey);

const fw::report::ReportLayout& customersReportLayout();
const fw::report::ReportLayout& studentsReportLayout();
const fw::report::ReportLayout& teachersReportLayout();
const fw::report::ReportLayout& classesReportLayout();
const fw::report::ReportLayout& customersEmbedReportLayout();

} // namespace zorvane
