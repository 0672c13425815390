#pragma once
// The bulk mail: one report to each of the first five customers, in the
// customer file's record order. For each customer the recipients and subject
// globals take the customer's address and "ATTN: " with the name, the mail
// mode switches to Silent email, and the Teachers report (Teachers flag not
// 0) or the Classes report runs on this thread, so its mail hook creates one
// mail per customer. The mode and the last customer's recipients and subject
// stay for every later report.

#include <cstdint>

namespace zorvane {

// Only the Teachers flag decides; the frame passes (1, 0) or (0, 1).
void BulkEmail(std::uint8_t teachers, std::uint8_t classes);

// How many customers get a report.
inline constexpr int BulkEmailCustomers = 5;

} // namespace zorvane
