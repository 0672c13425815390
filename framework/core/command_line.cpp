#include "framework/core/command_line.h"

#include <algorithm>

namespace fw::core {

namespace {

CommandLine& processCommandLine()
{
    static CommandLine line;
    return line;
}

} // namespace

CommandLine CommandLine::fromArguments(int argc, const char* const* argv)
{
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            text.push_back(' ');
        text += argv[i];
    }
    return CommandLine(std::move(text));
}

std::string CommandLine::word(std::size_t n) const
{
    if (n == 0)
        return {};
    const std::string_view line = m_text;
    std::size_t pos = line.find_first_not_of(' ');
    if (pos == std::string_view::npos)
        return {};
    for (std::size_t current = 1;; ++current) {
        const std::size_t end = std::min(line.find_first_of(" ,", pos), line.size());
        if (current == n)
            return std::string(line.substr(pos, end - pos));
        // Past the word: blanks, at most one comma, blanks again.
        pos = end;
        while (pos < line.size() && line[pos] == ' ')
            ++pos;
        bool comma = false;
        if (pos < line.size() && line[pos] == ',') {
            comma = true;
            ++pos;
            while (pos < line.size() && line[pos] == ' ')
                ++pos;
        }
        if (pos == line.size() && !comma)
            return {};
    }
}

void setCommandLine(int argc, const char* const* argv)
{
    processCommandLine() = CommandLine::fromArguments(argc, argv);
}

const CommandLine& commandLine() { return processCommandLine(); }

} // namespace fw::core
