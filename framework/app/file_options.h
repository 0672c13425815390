#pragma once
// Choices shared by the file manager and the stock file opener.

#include <cstdint>

namespace fw::app {

enum class CreateWhenMissing : std::uint8_t { No, Yes };
enum class AutoNumber : std::uint8_t { No, Yes };

} // namespace fw::app
