#include "demo/program/program_modules.h"

#include "demo/bulk_mail/bulk_mail.h"
#include "demo/dictionary/dictionary.h"
#include "demo/dictionary/records.h"
#include "demo/frame/frame.h"
#include "demo/frame/frame_procedures.h"
#include "demo/mails/mails.h"
#include "demo/notice/notice.h"
#include "demo/program/mail_failure_notice.h"
#include "demo/reports/report_procedures.h"
#include "demo/reports/report_run.h"
#include "engine/global_data.h"
#include "engine/mail/send_email_window.h"
#include "engine/shell/shell_open.h"
#include "engine/zorvane/startup.h"
#include "framework/core/module_init.h"
#include "framework/ui/layout.h"
#include "framework/ui/window.h"

namespace zorvane {

void registerProgramModules(const std::string& resourceFolder)
{
    engine::setProfile(engine::ZorvaneProfile);
    registerProgramInitialiser();
    registerFrameModule();
    registerNoticeModule();
    registerReportModules();
    fw::core::registerModuleInitialiser(fw::core::ProgramModulePriority, [](fw::core::ModuleStep step) {
        if (step == fw::core::ModuleStep::Start)
            engine::registerSendEmailWindow();
    });

    setStartupProcedures({
        .frame = &Main,
        .initDataFiles = &InitDataFiles,
        .killDataFiles = &KillDataFiles,
        .clearRecordBuffers = &clearRecordBuffers,
    });
    setFrameProcedures({
        .TarvenClasses = &TarvenClasses,
        .TarvenStudents = &TarvenStudents,
        .TarvenTeachers = &TarvenTeachers,
        .TarvenCustomers = &TarvenCustomers,
        .TarvenCustomersEmbed = &TarvenCustomersEmbed,
        .EmailOne = &EmailOne,
        .EmailTwo = &EmailTwo,
        .BulkEmail = &BulkEmail,
    });
    engine::setShellOpenTimerDrain(&fw::ui::drainPendingTimerEvents);
    registerMailFailureNotice();
    if (!resourceFolder.empty())
        fw::ui::addResourceFolder(resourceFolder);
}

} // namespace zorvane
