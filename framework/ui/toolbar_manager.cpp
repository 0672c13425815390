#include "framework/ui/toolbar_manager.h"

namespace fw::ui {

std::uint8_t ToolbarManager::takeEvent(Window&, const EventRecord&) { return 0; }

} // namespace fw::ui
