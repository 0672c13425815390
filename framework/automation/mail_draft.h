#pragma once
// A mail draft and its RFC 5322 form.
//
// What the mail item collects (recipients, subject, HTML body, importance,
// attachments) becomes one message that the user's mail program opens as an
// unsent draft:
//
//   - "X-Unsent: 1", so Thunderbird and Outlook open it for editing;
//   - no From (the mail program puts in the user's own identity), no Date
//     and no Message-ID (both belong to the moment of sending);
//   - To, Cc and Bcc from the recipient texts: each text is trimmed of the
//     blanks around it, an empty one is skipped, and what is left is read as
//     an address list, display names kept ("Jane Doe <jane@example.org>");
//     an address of more than 254 characters is refused (no mail system
//     takes one, and no header line could be folded around it);
//   - Subject, RFC 2047-encoded where it is not plain ASCII;
//   - every header folded to lines of at most 78 characters where its
//     whitespace allows (header_folding.h), never over 998;
//   - "Importance: high" and "X-Priority: 1" for high importance,
//     "Importance: low" and "X-Priority: 5" for low, neither for normal;
//   - a multipart/mixed body: first the HTML body, its bytes untouched,
//     quoted-printable, with the charset its bytes are in (mail_charset.h),
//     then each attachment base64 with its display name as file name and
//     the content type of that name (content_type.h).
//
// Header texts come from data; every control character in them becomes a
// blank before GMime sees them, so no CR or LF from data reaches a header.
// Lines end in CR LF.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/error.h"

namespace fw::automation {

enum class Importance : std::uint8_t { Low = 0, Normal = 1, High = 2 };

struct DraftAttachment {
    std::string displayName;
    std::string bytes;
};

struct MailDraft {
    std::vector<std::string> to; // recipient texts as they were added
    std::vector<std::string> cc;
    std::vector<std::string> bcc;
    std::string subject;
    std::string htmlBody;
    Importance importance = Importance::Normal;
    std::vector<DraftAttachment> attachments;
};

// A recipient text as the draft takes it: UTF-8, every control character a
// blank, the blanks around it gone (empty for a blank text, which is left out).
std::string trimmedRecipient(std::string_view text);

// Succeeds when `text` is blank (it will be skipped) or reads as at least
// one address; otherwise says why not.
[[nodiscard]] core::Expected<void> checkRecipient(std::string_view text);

// The message, ready to be written to a file.
[[nodiscard]] core::Expected<std::string> composeDraft(const MailDraft& draft);

} // namespace fw::automation
