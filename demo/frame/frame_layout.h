#pragma once
// The application frame's window, as data: its menu bar, the toolbar with
// the mail-mode option, the numeric entry on the same byte, the RTF folder
// entry with its label, and the text that explains the chosen mode.

#include <cstdint>
#include <optional>
#include <string_view>

#include "framework/ui/layout.h"

namespace zorvane {

inline constexpr std::string_view FrameLabel = "P1$APPFRAME";
inline constexpr std::string_view FrameModuleKey = "zorvane$zorva001";

// The frame's control numbers, as the menu and the toolbar number them.
namespace FrameControl {
inline constexpr int EmailReportFrom = -1;
inline constexpr int TarvenMenu = -2;
inline constexpr int Classes = -3;
inline constexpr int Students = -4;
inline constexpr int Teachers = -5;
inline constexpr int Customers = -6;
inline constexpr int CustomersEmbed = -7;
inline constexpr int NoReportMenu = -8;
inline constexpr int EmailOne = -9;
inline constexpr int EmailTwo = -10;
inline constexpr int BulkEmailMenu = -11;
inline constexpr int TeachersToFirstFive = -12;
inline constexpr int ClassesToFirstFive = -13;
inline constexpr int ModeOption = -14;
inline constexpr int SaveRadio = -15;
inline constexpr int SilentSaveRadio = -16;
inline constexpr int SilentEmailRadio = -17;
inline constexpr int EmailPreviewRadio = -18;
inline constexpr int PrintRadio = -19;
inline constexpr int ModeEntry = -20;
inline constexpr int RTFpathLabel = -21;
inline constexpr int RTFpathEntry = -22;
inline constexpr int Explanation = -23;
inline constexpr int Picture = 1;
} // namespace FrameControl

// The web page that "EMAIL REPORT FROM:" opens.
inline constexpr std::string_view MakerWebPage = "https://www.example.com/report-mail";

// The frame's stored layout. Its variables, in binding order: the mail mode
// (option box and numeric entry), the RTF folder, the explanation.
const fw::ui::WindowLayout& frameLayout();

// What the explanation says for a mail mode; none for a value above 4.
std::optional<std::string_view> modeExplanation(std::uint8_t mode);

} // namespace zorvane
