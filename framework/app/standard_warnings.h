#pragma once
// The standard warnings a program shows on data-file errors when it works
// without file managers. Each shows its message and returns.

#include <string>
#include <string_view>

#include "framework/core/error.h"

namespace fw::app {

// Caption "Record Retrieval Error".
std::string recordRetrievalText(const fw::core::Error& error, std::string_view fileDisplayName);
void recordRetrievalWarning(const fw::core::Error& error, std::string_view fileDisplayName);

// Caption "View Open Error".
std::string viewOpenText(const fw::core::Error& error);
void viewOpenWarning(const fw::core::Error& error);

} // namespace fw::app
