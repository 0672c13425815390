#pragma once
// zorvane tells the person at the desktop what went wrong with a mail.
//
// The automation layer gathers the failures of one mail (an attachment left
// out, a draft written but not shown, a mail program that could not be
// started) and hands them over once the mail is done; zorvane shows them in
// one message box per mail. Standard error has each of them as well.
// vextrel sets no notice: nobody watches its screen.

#include <string>
#include <vector>

namespace zorvane {

inline constexpr const char* MailFailureCaption = "Send email";
inline constexpr const char* MailFailureHeading = "Something went wrong with this mail:";

// One message box: the heading, then each failure on a line of its own.
void showMailFailures(const std::vector<std::string>& failures);

// Makes showMailFailures() the automation layer's failure notice.
void registerMailFailureNotice();

} // namespace zorvane
