#pragma once
// The two mails without a report, chosen from the frame's menu ("Email 1"
// and "Email 2") and run on the frame's thread. Each writes only the HTML
// body file (no page, so no RTF document) and, in the mailing modes, hands
// a mail with one attached program file from the current directory to
// SendEmail; the RTF document is never attached. Mode Print does nothing;
// Save and Silent save stop after the body file.

#include "demo/hooks/mail_settings.h"

namespace zorvane {

void EmailOne();
void EmailTwo();

// Their settings rows.
const MailSettings& emailOneSettings();
const MailSettings& emailTwoSettings();

} // namespace zorvane
