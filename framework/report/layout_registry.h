#pragma once
// The stored report layouts, found by label and module key as windows are
// ("P1$REPORT" with "zorvane$zorva002"). Labels and keys are compared
// without regard to case or trailing blanks. A program registers its
// layouts in its module initialiser; registering a label and key again
// replaces the layout stored under them.

#include <string_view>

#include "framework/report/report_layout.h"

namespace fw::report {

void registerReportLayout(std::string_view label, std::string_view moduleKey, const ReportLayout& layout);

// The layout stored under label and key; nullptr when there is none.
const ReportLayout* findReportLayout(std::string_view label, std::string_view moduleKey);

} // namespace fw::report
