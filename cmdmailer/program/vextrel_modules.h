#pragma once
// vextrel's modules as the framework starts and ends them: the program's
// data (the engine's globals and the GOODS record) and the stored layouts of
// the frame module vextr001 and of the goods report module vextr003.

#include <string_view>

#include "framework/core/module_init.h"

namespace vextrel {

inline constexpr std::string_view FrameLabel = "P1$APPFRAME";
inline constexpr std::string_view FrameModuleKey = "vextrel$vextr001";

// The data initialiser: its start blanks the texts, clears the record
// buffers and zeroes the global request and response; its end frees OAQ and
// OBQ.
void initialiseProgramData(fw::core::ModuleStep step);

// Registers the initialisers of the program's modules with the framework;
// main does so once, before the program runs.
void registerVextrelModules();

} // namespace vextrel
