#pragma once
// A mailto: link (RFC 6068) that opens a mail program's composer on a draft,
// for a program that takes no draft file (Evolution).
//
//     mailto:TO?cc=CC&bcc=BCC&subject=SUBJECT&body=TEXT
//         &attach=file:///...&attach=...&Importance=high&X-Priority=1
//
// The recipients are the draft's texts, trimmed, empty ones left out, each
// list joined with ", "; the body is plain text (such a composer takes no
// HTML); each attachment is the file URI of a file on disk; importance is
// given as the two headers the draft carries, which the composer adds to
// the mail it sends. Every value is UTF-8, percent-encoded but for the
// unreserved characters and "@", so no "&", "=", "?" or "#" of the data
// can end a value; a file URI is percent-encoded itself first, and then
// again as a value, as a composer that decodes the link and then the URI
// expects.
//
// A link reaches the program as one argument of its command line, which
// Linux limits to 128 KiB; a body that would not fit is cut (at a whole
// character) so the link stays within maxLinkLength.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/automation/mail_draft.h"

namespace fw::automation {

inline constexpr std::size_t maxLinkLength = 100000;

struct MailtoLink {
    std::string link;
    bool bodyCut = false; // the body did not fit whole
};

// `bodyText` is UTF-8 plain text, lines ended by "\n".
MailtoLink mailtoLink(const MailDraft& draft, const std::string& bodyText,
                      const std::vector<std::filesystem::path>& attachmentFiles);

} // namespace fw::automation
