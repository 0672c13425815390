#pragma once
// The five reports of zorvane, one value each. The reports' definitions
// (demo/reports) and their mail settings (mail_settings.h) are tables in
// this order, so one value names a report in both.

#include <cstdint>

namespace zorvane {

enum class ReportId : std::uint8_t { Customers, Students, Teachers, Classes, CustomersEmbed };

} // namespace zorvane
