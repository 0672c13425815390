#pragma once
// The stored layouts of the goods report (module vextr003): its progress
// window and its report.

#include <string_view>

namespace vextrel {

inline constexpr std::string_view ModuleKey = "vextrel$vextr003";
inline constexpr std::string_view ProgressWindowLabel = "P1$PROGRESSWINDOW";
inline constexpr std::string_view ReportLabel = "P1$REPORT";

// Controls of the progress window.
namespace ProgressControl {
inline constexpr int Bar = 1;
inline constexpr int Heading = 2;
inline constexpr int Percent = 3;
inline constexpr int Cancel = 4;
} // namespace ProgressControl

// Stores both layouts under ModuleKey (the module's initialiser does this
// before the main procedure runs; storing them again changes nothing).
void registerGoodsReportLayouts();

} // namespace vextrel
