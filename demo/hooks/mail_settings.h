#pragma once
// The mail settings of zorvane's reports and mails: one row of fixed values
// per report (or mail without a report) that the one mail algorithm runs
// with. Paper "A4" and the RTF document name global are the same for all.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "demo/hooks/report_id.h"

namespace zorvane {

// Where a text of the settings comes from: written in the row, or one of
// zorvane's globals, read when the mail runs (the bulk mail rewrites them
// per customer).
enum class Source : std::uint8_t { Fixed, RecipientsGlobal, SubjectGlobal };

struct SettingText {
    Source source = Source::Fixed;
    // The text itself; after a global, what a body line adds to it.
    std::string_view text{};
};

enum class ScaleSource : std::uint8_t { Zero, PictureScaleGlobal };

struct MailSettings {
    std::string_view name{};           // the report or mail procedure
    std::string_view attachmentName{}; // appended to the current directory; starts with "\", may hold wildcards
    std::vector<SettingText> bodyLines{};
    std::int32_t background = 0; // blue, green, red bytes, red lowest
    std::string_view fontName{};
    std::uint8_t fontSize = 0;
    std::int32_t fontColor = 0;
    std::string_view importance{};
    std::string_view bodyFile{}; // blank: the HTML body file the builder has just written
    SettingText subject{};
    SettingText to{};
    SettingText cc{};
    SettingText bcc{};
    std::uint8_t formatNumber = 1; // engine::NoRTFDocument: the mail carries no RTF document
    ScaleSource pictureScale = ScaleSource::Zero;
};

inline constexpr std::string_view MailPaper = "A4";

// A recipient list or subject as it is passed on: a fixed text as written, a
// global as it stands, its blank padding included.
std::string passedText(const SettingText& text);
// A body line: a fixed text as written, a global clipped and followed by the
// row's text.
std::string bodyLineText(const SettingText& text);
std::uint8_t pictureScaleValue(ScaleSource source);

// The row of TarvenCustomers, TarvenStudents, TarvenTeachers, TarvenClasses
// or TarvenCustomersEmbed.
const MailSettings& reportMailSettings(ReportId report);

} // namespace zorvane
