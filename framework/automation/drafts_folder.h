#pragma once
// Where drafts are written, and how.
//
// The folder is $REPORTMAIL_DRAFTS_DIR when that is set and not empty, else
// $XDG_DATA_HOME/reportmail/drafts (when XDG_DATA_HOME is an absolute path),
// else ~/.local/share/reportmail/drafts. Missing folders are created,
// readable by the user only: drafts hold other people's addresses.
//
// A draft is written as a staged file (framework/fs/staged_file.h): into a
// hidden temporary in that folder, flushed to disk, and renamed to its final
// name, "mail-YYYYMMDD-HHMMSS-N.eml" (N the first number that names no
// existing file), so a mail program, a file manager or a crash never sees
// half a draft, no draft replaces another, and a temporary that a killed
// run left is removed by the next draft.

#include <filesystem>
#include <string_view>

#include "framework/core/error.h"

namespace fw::automation {

inline constexpr std::string_view draftsFolderVariable = "REPORTMAIL_DRAFTS_DIR";

std::filesystem::path draftsFolder();

// Writes `bytes` as a new draft; gives the draft's path.
[[nodiscard]] core::Expected<std::filesystem::path> saveDraft(std::string_view bytes);

} // namespace fw::automation
