#include "cmdmailer/program/call_expression.h"

#include <string_view>

namespace vextrel {

void blankLeadingNumbers(CommandLineText& text)
{
    for (std::size_t position = 1; position <= BlankedPositions; ++position) {
        char& c = text.at(position);
        // A digit is a one-character text that reads as a number in full.
        if (c != ' ' && !fw::core::isNumeric(std::string_view(&c, 1)))
            break;
        c = ' ';
    }
}

std::string callExpression(const CommandLineText& blanked)
{
    return std::string(fw::core::trimLeft(blanked.clippedView()));
}

} // namespace vextrel
