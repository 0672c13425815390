#pragma once
// The demonstration's mail machinery as zorvane's start-up leaves it, for
// tests that run its reports and mails with the real SendEmail: the error
// manager, the data files and report layouts, the "Send email" window, and
// the globals at their start values in mode Email Preview.

#include "demo/dictionary/dictionary.h"
#include "demo/reports/report_run.h"
#include "engine/global_data.h"
#include "engine/mail/send_email_window.h"
#include "engine/zorvane/zorvane_globals.h"
#include "framework/app/error_manager.h"

namespace zorvanetest {

inline void startDemoMails()
{
    fw::app::globalErrors().init();
    zorvane::InitDataFiles();
    zorvane::registerReportLayouts();
    engine::setProfile(engine::ZorvaneProfile);
    engine::registerSendEmailWindow();
    engine::BMKG = engine::MailGlobals{};
    engine::BMKG.Mode = 1;
    zorvane::recipients = zorvane::DemonstrationRecipients;
    zorvane::subject = zorvane::DemonstrationSubject;
}

inline void endDemoMails()
{
    zorvane::KillDataFiles();
    fw::app::globalErrors().kill();
    zorvane::recipients = zorvane::DemonstrationRecipients;
    zorvane::subject = zorvane::DemonstrationSubject;
}

} // namespace zorvanetest
