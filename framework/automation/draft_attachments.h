#pragma once
// A draft's attachments as files beside it, for a mail program that attaches
// files by name instead of reading them from the draft (Evolution's composer
// from a mailto: link).
//
// The files are the bytes the mail item read when each was attached, so the
// composer gets the same documents as the draft even when a later report has
// replaced the work folder's Report.RTF meanwhile. They go into a folder
// named like the draft without its extension
// ("mail-20260307-101500-1.eml" -> "mail-20260307-101500-1/"), for the user
// only, each under the name it is shown by (a "/" in it becomes "_"); a name
// that comes twice goes into a numbered folder inside ("2/Note.doc"), so
// every attachment keeps the name the recipient sees.

#include <filesystem>
#include <vector>

#include "framework/automation/mail_draft.h"
#include "framework/core/error.h"

namespace fw::automation {

// The paths written, one for each attachment and in their order.
[[nodiscard]] core::Expected<std::vector<std::filesystem::path>>
    saveAttachmentsBeside(const std::filesystem::path& draft, const std::vector<DraftAttachment>& attachments);

} // namespace fw::automation
