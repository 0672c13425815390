#pragma once
// The goods report: every record of GOODS printed behind a progress window
// that hides as soon as it opens. Its pages are discarded when the report
// closes; what the run leaves behind is the work folder, settled and created
// on disk, in which the engine's builder then works.
//
// GoodsReport() takes no arguments. On return the running thread's global
// response is 1 when the last record was printed during a timer batch, 2 when
// the run found no first record, was cancelled or failed.

#include <functional>
#include <string_view>

#include "framework/report/report.h"

namespace vextrel {

void GoodsReport();

// Records read per timer event.
inline constexpr int RecordsPerEvent = 1000;

// What a test sees of a run: each detail band as it is printed, each refresh
// of the percentage text, and the report just before it is closed (its page
// queue still names the page files). Unset functions are not called; an empty
// probe ends the observation.
struct GoodsReportProbe {
    std::function<void()> bandPrinted;
    std::function<void(std::string_view percentText)> progressShown;
    std::function<void(fw::report::Report& report)> beforeClose;
};
void setGoodsReportProbeForTesting(GoodsReportProbe probe);

} // namespace vextrel
