#pragma once
// The engine's builder as an expression can call it: sixteen text arguments,
// the numbers among them read from their text, in the builder's own order.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vextrel {

inline constexpr std::string_view BuilderName = "MakeHTMLFileBMKSW";
inline constexpr std::size_t BuilderParameterCount = 16;

// Arguments 2, 3, 4, 8, 9, 10, 11, 12, 13, 14 and 15 are numbers: each is
// read from its first 100 characters as a signed 32-bit whole number, and a
// byte parameter keeps its low eight bits. The texts are handed on as they
// stand. Returns the builder's result (0 written, 2 the HTML body file could
// not be created); a call with any other number of arguments builds nothing
// and returns 2.
[[nodiscard]] std::int32_t BuilderBinding(std::vector<std::string> arguments);

} // namespace vextrel
