#pragma once
// The steps that a report's mail hook and the mails without a report share,
// written once. Each works on the engine's globals (engine/global_data.h)
// and zorvane's own (engine/zorvane/zorvane_globals.h); callers hold an
// engine::MailRun around the whole run.

#include <cstdint>
#include <string>
#include <string_view>

#include "demo/hooks/mail_settings.h"

namespace zorvane {

// The page size every mail run sets, in thousandths of an inch.
inline constexpr std::int32_t MailPageWidth = 8270;
inline constexpr std::int32_t MailPageHeight = 11530;

// The most backslashes looked at when a wildcard specification is split
// into its folder and its mask.
inline constexpr int MaxFolderSearches = 100;

// The first steps of every mail run: the work folder settled (blank becomes
// the current directory followed by "\KR\", otherwise a missing final "\"
// is added), the page size set, the work folder created level by level,
// and OAQ filled from `attachmentName` (see fillAttachmentQueue). False,
// after a message box that says why, when the work folder does not fit its
// field: the run then writes and mails nothing.
[[nodiscard]] bool prepareMailRun(std::string_view attachmentName);

// OAQ emptied, then filled from the current directory followed by
// `attachmentName`: with "*" or "?" in it, one entry per file the folder
// listing finds; otherwise the one entry, the current directory followed by
// the name as written.
void fillAttachmentQueue(std::string_view attachmentName);

// OBQ emptied, then one entry per body line of the settings, in order.
void fillBodyLines(const MailSettings& settings);

// A job number from 11 to 99 into the job-number global.
void drawJobNumber();

// The work folder followed by "kr", the job number and ".html".
std::string htmlBodyPath();

// MakeHTMLFileBMKSW with the settings, the page geometry globals and the
// mail mode; returns its result.
[[nodiscard]] std::uint8_t buildDocuments(const MailSettings& settings, const std::string& htmlPath,
                                          std::uint8_t pageCount);

// What the build of this run left unmade, as the builder recorded it
// (engine::lastBuild()). Nothing when everything was made; otherwise one
// message box that names each file and why, so a person never takes a run
// that failed for one that worked. `expected` says which files the run
// wanted: a mail without a report builds no RTF document, so only its body
// file counts.
inline constexpr std::string_view UnmadeDocumentsCaption = "Report documents";
inline constexpr std::string_view UnmadeDocumentsHeading = "Not every document of this run was made:";
enum class ExpectedDocuments : bool { BodyOnly, All };
void tellUnmadeDocuments(ExpectedDocuments expected);

// SendEmail with the settings; its result is not used by anyone. `built` is
// the builder's result. A mail never carries an earlier run's files as this
// run's: without this run's RTF document and its copies (lastBuild()) the
// mail goes without the RTF attachment, and without this run's body file a
// mail that would read it is not made at all, as when the body file cannot
// be opened.
void mailDocuments(const MailSettings& settings, const std::string& htmlPath, std::uint8_t built);

} // namespace zorvane
