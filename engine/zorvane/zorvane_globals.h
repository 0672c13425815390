#pragma once
// The globals that only zorvane's block of global data holds: the
// demonstration recipients and subject, which the bulk mail rewrites per
// customer and the mail hooks and mails read, and the picture scale that the
// Classes report passes on. Nothing sets the picture scale, so it stays 0
// (100 per cent in the RTF writer).

#include <cstdint>
#include <string_view>

#include "framework/core/text.h"

namespace zorvane {

// The load values.
inline constexpr std::string_view DemonstrationRecipients = "mara.quill@example.com, tobias.renn@example.org";
inline constexpr std::string_view DemonstrationSubject = "Subject it is";

extern fw::core::Text<200> recipients; // two addresses, a comma and a blank between them
extern fw::core::Text<200> subject;
extern std::uint8_t pictureScale;

} // namespace zorvane
