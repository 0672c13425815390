#include "engine/zorvane/zorvane_globals.h"

namespace zorvane {

fw::core::Text<200> recipients{DemonstrationRecipients};
fw::core::Text<200> subject{DemonstrationSubject};
std::uint8_t pictureScale = 0;

} // namespace zorvane
