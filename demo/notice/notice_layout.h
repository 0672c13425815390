#pragma once
// The notice window's layout: a small dark-blue window that says the
// demonstration needs Microsoft Outlook 97 or later.

#include <string_view>

#include "framework/ui/layout.h"

namespace zorvane {

inline constexpr std::string_view NoticeLabel = "P1$WINDOW";
inline constexpr std::string_view NoticeModuleKey = "zorvane$zorva010";

const fw::ui::WindowLayout& noticeLayout();

} // namespace zorvane
