#pragma once
// A report's mail hook: what happens to a finished report's pages instead of
// the preview, by mail mode. Mode Print (0) belongs to the previewer
// (hook_previewer.h); every other mode runs the steps below, on the report's
// own thread, as one mail run that a second run waits for:
//
//   settle the work folder, page size 8270 by 11530, create the folder,
//   OAQ from the report's attachment name, OBQ from its body lines,
//   wait cursor, job number 11..99, page copies <job><page>.wmf,
//   MakeHTMLFileBMKSW into kr<job>.html,
//   mode 3 after a successful build: open the named RTF with the desktop,
//   modes 1, 2 and above 4: SendEmail,
//   remove <job>.RTF, normal cursor.
//
// The builder counts pages in a byte. A report of more than 255 pages has
// all its pages copied but only its first 255 embedded in the RTF document;
// the count is never taken modulo 256.

#include <cstdint>
#include <string>
#include <vector>

#include "demo/hooks/mail_settings.h"

namespace zorvane {

// The most pages an RTF document of a report holds.
inline constexpr std::size_t MaxEmbeddedPages = 255;

// Runs the hook's steps after mode Print over `pageFiles` (the page files'
// names, in page order) and returns 0: nothing is to be printed.
[[nodiscard]] std::uint8_t runMailHook(const MailSettings& settings, const std::vector<std::string>& pageFiles);

} // namespace zorvane
