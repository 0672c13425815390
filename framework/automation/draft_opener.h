#pragma once
// Handing a written draft to the user's mail program.
//
// The draft (.eml) is written in every case: it is the record of the mail.
// How it is shown depends on the program the desktop names for mail
// (mail_handler.h), each given the mail the way it takes one:
//
//   Thunderbird   the draft file, through the program's own desktop entry:
//                 it opens an "X-Unsent: 1" message as a new mail to edit,
//                 with everything the draft holds.
//   Evolution     its composer, from a mailto: link (mailto_link.h) with the
//                 recipients, the subject, the body as plain text (its
//                 composer takes no HTML from a link), the attachments as
//                 files beside the draft (draft_attachments.h) and the
//                 importance as headers. Evolution opens no draft file: it
//                 shows an .eml as a received message.
//   NeoMutt/Mutt  "-H draft" in the user's terminal: the compose menu with
//                 the draft's headers, HTML body and attachments.
//   any other,    xdg-open on the draft, which gives it to the desktop's
//   or none       program for message files.
//
// $REPORTMAIL_DRAFT_OPENER overrides all of this: it is split at blanks into
// a program and its arguments (no shell is involved, so there is no quoting)
// and the draft's path is added as the last argument.
//
// The opener is watched for a moment (draftOpenerGrace): one that cannot be
// started, or that ends with a non-zero status or by a signal in that time,
// has not shown the mail, and openDraft() says so, naming the draft. One
// that hands the mail to a running instance ends with 0; one still running
// then is the mail program itself, showing it. Nothing here, or anywhere in
// the system, sends mail.

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/automation/mail_draft.h"
#include "framework/core/error.h"

namespace fw::automation {

inline constexpr std::string_view draftOpenerVariable = "REPORTMAIL_DRAFT_OPENER";

// How long an opener is watched. A program that starts afresh takes longer
// than this to show anything and is left running; one that fails does so
// sooner. The caller waits this long at most.
inline constexpr std::chrono::milliseconds draftOpenerGrace{1500};

struct DraftOpening {
    std::vector<std::string> command;
    // What the program does not get of the mail (a body cut to fit a link,
    // attachments that could not be put beside the draft), as failures that
    // do not keep it from showing the rest.
    std::vector<core::Error> shortfalls;
};

// The command that shows `draft`, whose mail is `mail`, in the user's mail
// program. For Evolution it writes the attachments beside the draft.
DraftOpening draftOpening(const std::filesystem::path& draft, const MailDraft& mail);

// Starts the command of draftOpening() and watches it. Fails when the mail
// was not shown; otherwise gives the shortfalls.
[[nodiscard]] core::Expected<std::vector<core::Error>> openDraft(const std::filesystem::path& draft,
                                                                 const MailDraft& mail);

// Test seam: while set, openDraft() calls it with the command instead of
// starting a program, and takes an answer of false as an opener that could
// not be started.
void setDraftLauncherForTesting(std::function<bool(const std::vector<std::string>& command)> launcher);

} // namespace fw::automation
