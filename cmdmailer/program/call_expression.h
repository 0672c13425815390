#pragma once
// The call expression inside vextrel's command line.
//
// The command line starts with the job number and the mail mode, separated
// by blanks; the call follows. Those leading numbers are blanked out before
// the rest is evaluated: from the first character on, every blank and digit
// becomes a blank until the first other character, but never beyond the
// 100th, so a longer run of numbers stays in front of the call and keeps it
// from evaluating. A comma is not a blank: "12,2,MakeHTMLFileBMKSW(...)"
// keeps ",2,MakeHTMLFileBMKSW(...)", which does not evaluate either.

#include <cstddef>
#include <string>

#include "framework/core/text.h"

namespace vextrel {

// The frame's copy of the command line: longer ones are cut.
inline constexpr std::size_t CommandLineWidth = 10000;
inline constexpr std::size_t BlankedPositions = 100;

using CommandLineText = fw::core::Text<CommandLineWidth>;

// Blanks the leading blanks and digits of `text` in place (positions 1 to 100).
void blankLeadingNumbers(CommandLineText& text);

// What is evaluated: the blanked text without its trailing blanks, moved to
// the left (its leading blanks removed).
std::string callExpression(const CommandLineText& blanked);

} // namespace vextrel
