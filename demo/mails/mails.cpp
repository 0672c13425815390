#include "demo/mails/mails.h"

#include "demo/hooks/mail_steps.h"
#include "engine/global_data.h"
#include "engine/mail/mail_run.h"
#include "engine/mail/send_email.h"
#include "framework/ui/cursor.h"

namespace zorvane {

namespace {

constexpr std::uint8_t NoPages = 0;

// The same steps as a report's mail hook, without pages, wait cursor, shell
// open or clean-up.
void mailWithoutReport(const MailSettings& settings)
{
    if (engine::isMode(engine::BMKG.Mode, engine::MailMode::Print))
        return;
    const engine::MailRun run;
    if (!prepareMailRun(settings.attachmentName))
        return;
    fillBodyLines(settings);
    drawJobNumber();
    const std::string htmlPath = htmlBodyPath();
    const std::uint8_t built = buildDocuments(settings, htmlPath, NoPages);
    tellUnmadeDocuments(ExpectedDocuments::BodyOnly);
    if (engine::handsMailToSendEmail(engine::BMKG.Mode))
        mailDocuments(settings, htmlPath, built);
    fw::ui::resetCursor();
}

} // namespace

const MailSettings& emailOneSettings()
{
    static const MailSettings settings{
        .name = "EmailOne",
        .attachmentName = "\\Scandskw.exe",
        .bodyLines = {},
        .background = 0xFFFFFF,
        .fontName = "Arial",
        .fontSize = 3,
        .fontColor = 0,
        .importance = "Low",
        .bodyFile = "body_of_email.htm",
        .subject = {Source::Fixed, "No reports this time"},
        .to = {Source::Fixed, "pia.lindqvist@example.com, noah.berger@example.net"},
        .cc = {},
        .bcc = {Source::RecipientsGlobal},
        .formatNumber = engine::NoRTFDocument,
    };
    return settings;
}

const MailSettings& emailTwoSettings()
{
    static const MailSettings settings{
        .name = "EmailTwo",
        .attachmentName = "\\Winhelp.exe",
        .bodyLines = {{Source::Fixed, "This body is built line-by-line"},
                      {Source::Fixed, "You can put here whatever you want"},
                      {Source::Fixed, "<FONT color=#ff0000 size=7>and even use HTML tags</FONT>"}},
        .background = 0xFFFFFF,
        .fontName = "Terminal",
        .fontSize = 4,
        .fontColor = 0x0000FF,
        .importance = "High",
        .bodyFile = "",
        .subject = {Source::Fixed, "No reports attached"},
        .to = {Source::Fixed, "elena.moravec@example.org, felix.ortmann@example.com"},
        .cc = {Source::RecipientsGlobal},
        .bcc = {},
        .formatNumber = engine::NoRTFDocument,
    };
    return settings;
}

void EmailOne() { mailWithoutReport(emailOneSettings()); }

void EmailTwo() { mailWithoutReport(emailTwoSettings()); }

} // namespace zorvane
