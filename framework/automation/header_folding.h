#pragma once
// Folding a header to the line lengths of RFC 5322: a line of a message may
// hold at most 998 characters and should hold at most 78.
//
// GMime folds the headers it writes, but not always to 78: an encoded-word
// subject keeps its first word on the line of "Subject:", which makes a line
// of 86 characters. foldUnstructured() folds such a value again, at the
// whitespace it already has, so nothing of the value changes: a fold is a
// line break in front of existing whitespace, and unfolding removes exactly
// the line break. A word longer than a line (only an address can be one;
// mail_draft.h limits those) stays whole on a line of its own.

#include <cstddef>
#include <string>
#include <string_view>

namespace fw::automation {

inline constexpr std::size_t recommendedLineLength = 78;
inline constexpr std::size_t maximumLineLength = 998;

// `rawValue` is an unstructured header's value as it follows "Name:" in the
// message (folded or not, "\n" or "\r\n" between lines). Gives the same
// value folded so that every line, "Name:" included on the first, holds at
// most recommendedLineLength characters where whitespace allows it, each
// line ended by "\n".
std::string foldUnstructured(std::string_view name, std::string_view rawValue);

} // namespace fw::automation
