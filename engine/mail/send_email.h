#pragma once
// The engine's last step in the mailing modes: a new mail item, filled
// through automation and shown to the user, who sends it from the mail
// program's own window. Nothing here ever sends, saves or closes the item.

#include <cstdint>
#include <string>

namespace engine {

namespace SendEmailResult {
inline constexpr std::uint8_t Displayed = 0;     // the item was built and shown, failed calls included
inline constexpr std::uint8_t BodyNotOpened = 1; // the body file could not be opened: nothing else happened
} // namespace SendEmailResult

// The format number with which a mail carries no RTF document, whatever the
// mode: the mails without a report give it, and so does a run whose RTF
// document was not made.
inline constexpr std::uint8_t NoRTFDocument = 8;

// Text parameters keep the caller's blank padding: a recipient list without
// a comma is added exactly as passed, trailing blanks included.
//   to, cc, bcc     comma-separated lists; pieces are taken as they stand
//   subject         the item's subject (clipped)
//   htmlBodyFile    the HTML body file of the job
//   bodyFile        a ready-made body file; read instead when not blank
//   rtfName         the named RTF document, without extension ("Report")
//   rtfFolder       the folder that holds it; blank means the work folder
//   importance      "High" or "Low" (case counts, trailing blanks do not),
//                   anything else is normal importance
//   mode            the mail mode (MailMode); only attachesRTFDocument(mode)
//                   attaches the RTF document
//   formatNumber    NoRTFDocument means the mail carries none
// Runs on the caller's thread and uses the work file ORAF and the queue OAQ.
[[nodiscard]] std::uint8_t SendEmail(std::string to, std::string cc, std::string bcc, std::string subject,
                                     std::string htmlBodyFile, std::string bodyFile, std::string rtfName,
                                     std::string rtfFolder, std::string importance, std::uint8_t mode,
                                     std::uint8_t formatNumber);

} // namespace engine
