#pragma once
// The "Send email" window: the small window whose OLE control carries the
// automation object while SendEmail fills a mail item. It is a layout of the
// program module, stored under the running program's module key
// ("zorvane$zorvane" or "vextrel$vextrel").

#include <string_view>

#include "framework/ui/layout.h"

namespace engine {

inline constexpr std::string_view SendEmailWindowLabel = "P7$WINDOW";
inline constexpr int SendEmailOleControl = 1;

// The layout under `moduleKey`.
fw::ui::WindowLayout sendEmailWindowLayout(std::string_view moduleKey);

// Stores the layout under the module key of the running program's profile
// (engine::profile()), replacing one stored there before.
void registerSendEmailWindow();

} // namespace engine
