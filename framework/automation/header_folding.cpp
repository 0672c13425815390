#include "framework/automation/header_folding.h"

namespace fw::automation {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

} // namespace

std::string foldUnstructured(std::string_view name, std::string_view rawValue)
{
    // Unfolding: every line break of a folded value is followed by the
    // whitespace it was put in front of, so dropping the breaks alone gives
    // the value back.
    std::string value;
    value.reserve(rawValue.size());
    for (const char c : rawValue)
        if (c != '\r' && c != '\n')
            value += c;

    std::string folded;
    folded.reserve(value.size() + value.size() / recommendedLineLength * 2 + 2);
    std::size_t line = name.size() + 1; // "Name:"
    std::size_t i = 0;
    while (i < value.size()) {
        const std::size_t blankStart = i;
        while (i < value.size() && isBlank(value[i]))
            ++i;
        const std::size_t wordStart = i;
        while (i < value.size() && !isBlank(value[i]))
            ++i;
        const std::string_view blanks(value.data() + blankStart, wordStart - blankStart);
        const std::string_view word(value.data() + wordStart, i - wordStart);
        // A fold goes in front of the blanks, never into a word; the first
        // word may move to a line of its own below "Name:".
        if (!blanks.empty() && !word.empty() && line + blanks.size() + word.size() > recommendedLineLength) {
            folded += '\n';
            line = 0;
        }
        folded += blanks;
        folded += word;
        line += blanks.size() + word.size();
    }
    folded += '\n';
    return folded;
}

} // namespace fw::automation
