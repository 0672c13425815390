#include "demo/hooks/mail_settings.h"

#include <array>

#include "engine/zorvane/zorvane_globals.h"
#include "framework/core/text.h"

namespace zorvane {

namespace {

// The addresses and names are the demonstration's own, on example domains.
// The rows follow ReportId.
const std::array<MailSettings, 5>& reportTable()
{
    static const std::array<MailSettings, 5> table{{
        {
            .name = "TarvenCustomers",
            .attachmentName = "\\Licence.doc",
            .bodyLines = {{Source::Fixed, "This body is built line-by-line"},
                          {Source::Fixed, "<FONT color=#ff00f0 size=6>This line uses the FONT HTML tag</FONT>"}},
            .background = 0x80FFFF,
            .fontName = "Arial Black",
            .fontSize = 5,
            .fontColor = 0xFF0000,
            .importance = "Normal",
            .bodyFile = "",
            .subject = {Source::Fixed, "ATTN: Liesel Varga, customer list"},
            .to = {Source::RecipientsGlobal},
            .formatNumber = 1,
        },
        {
            .name = "TarvenStudents",
            .attachmentName = "\\Script.doc",
            .bodyLines = {},
            .background = 0xFFFFFF,
            .fontName = "Arial",
            .fontSize = 3,
            .fontColor = 0,
            .importance = "Low",
            .bodyFile = "body_of_email.htm",
            .subject = {Source::SubjectGlobal},
            .to = {Source::RecipientsGlobal},
            .formatNumber = 1,
        },
        {
            .name = "TarvenTeachers",
            .attachmentName = "\\Note.doc",
            .bodyLines = {{Source::Fixed, "Just double-click Report attached"},
                          {Source::Fixed, "<FONT size=6>Will you?</FONT>"},
                          {Source::Fixed, "<FONT color=#ff0000 size=7>:-)</FONT>"}},
            .background = 0xC0C0C0,
            .fontName = "Bookman Old Style",
            .fontSize = 5,
            .fontColor = 0x800000,
            .importance = "Low",
            .bodyFile = "",
            .subject = {Source::SubjectGlobal},
            .to = {Source::RecipientsGlobal},
            .formatNumber = 1,
        },
        {
            .name = "TarvenClasses",
            .attachmentName = "\\*.doc",
            .bodyLines = {{Source::SubjectGlobal, ":"},
                          {Source::Fixed, "Attached is the list of all Classes"},
                          {Source::Fixed, "Regards,"},
                          {Source::Fixed, "Jonas Feld, school office"}},
            .background = 0x808040,
            .fontName = "Verdana",
            .fontSize = 4,
            .fontColor = 0xFFFF00,
            .importance = "High",
            .bodyFile = "",
            .subject = {Source::SubjectGlobal},
            .to = {Source::RecipientsGlobal},
            .cc = {Source::Fixed, "Oskar Brandt <oskar.brandt@example.net>"},
            .bcc = {Source::Fixed, "Helga Sommer <helga.sommer@example.org>, Ivo Petrak <ivo.petrak@example.com>"},
            .formatNumber = 1,
            .pictureScale = ScaleSource::PictureScaleGlobal,
        },
        {
            .name = "TarvenCustomersEmbed",
            .attachmentName = "\\Winhelp.exe",
            .bodyLines = {},
            .background = 0xFFFFFF,
            .fontName = "Batang",
            .fontSize = 4,
            .fontColor = 0x00FF00,
            .importance = "High",
            .bodyFile = "body_of_email.htm",
            .subject = {Source::Fixed, "ATTN: Renate Holm, customers with pictures"},
            .to = {Source::Fixed, "renate.holm@example.com, accounts@example.net"},
            .formatNumber = 7,
        },
    }};
    return table;
}

std::string_view globalText(Source source)
{
    switch (source) {
    case Source::RecipientsGlobal:
        return recipients.view();
    case Source::SubjectGlobal:
        return subject.view();
    case Source::Fixed:
        break;
    }
    return {};
}

} // namespace

std::string passedText(const SettingText& text)
{
    if (text.source == Source::Fixed)
        return std::string(text.text);
    return std::string(globalText(text.source));
}

std::string bodyLineText(const SettingText& text)
{
    if (text.source == Source::Fixed)
        return std::string(text.text);
    return std::string(fw::core::clip(globalText(text.source))) + std::string(text.text);
}

std::uint8_t pictureScaleValue(ScaleSource source)
{
    return source == ScaleSource::PictureScaleGlobal ? pictureScale : 0;
}

const MailSettings& reportMailSettings(ReportId report) { return reportTable()[static_cast<std::size_t>(report)]; }

} // namespace zorvane
