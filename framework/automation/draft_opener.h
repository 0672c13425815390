#pragma once
// Handing a written draft to the user's mail program.
//
// By default the draft is opened with `xdg-open`, which starts the mail
// program the desktop associates with .eml files (Thunderbird opens an
// "X-Unsent: 1" message as a draft to edit and send). Some mail programs
// (Evolution, KMail) show such a file read-only; the user then names another
// command in $REPORTMAIL_DRAFT_OPENER, e.g. "thunderbird -file" or a script
// of their own. That value is split at blanks into a program and its
// arguments (no shell is involved, so there is no quoting) and the draft's
// path is added as the last argument. Nothing here, or anywhere in the
// system, sends mail.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/error.h"

namespace fw::automation {

inline constexpr std::string_view draftOpenerVariable = "REPORTMAIL_DRAFT_OPENER";

// The program and arguments that will open `draft`.
std::vector<std::string> draftOpenerCommand(const std::filesystem::path& draft);

// Starts the opener without waiting for it. Fails when it cannot be started.
core::Expected<void> openDraft(const std::filesystem::path& draft);

// Test seam: while set, openDraft() calls it with the command instead of
// starting a program, and fails when it answers false.
void setDraftLauncherForTesting(std::function<bool(const std::vector<std::string>& command)> launcher);

} // namespace fw::automation
