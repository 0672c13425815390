#pragma once
// The program's command line, as the system reads it: one text after the
// program name, and its words.
//
// The process's arguments are joined with single blanks, so a shell that
// split `vextrel 12 2 "MakeHTMLFileBMKSW('out.html',3)"` into three arguments
// gives back "12 2 MakeHTMLFileBMKSW('out.html',3)".
//
// Words end at a blank or a comma. Blanks are soft: a run of them is one
// separator, and blanks before the first word, after the last one and around
// a comma do not count. A comma is hard: it always ends a word, so two commas
// with nothing but blanks between them hold an empty word, and so does a
// comma at the very start or end. "12,,3" has the words "12", "" and "3";
// "12  3" has "12" and "3"; ",7" has "" and "7".

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace fw::core {

class CommandLine {
public:
    CommandLine() = default;
    explicit CommandLine(std::string text) : m_text(std::move(text)) {}

    // argv[1] to argv[argc - 1] joined with single blanks.
    static CommandLine fromArguments(int argc, const char* const* argv);

    // All of it after the program name.
    const std::string& text() const { return m_text; }

    // Word n counting from 1; empty when there is no such word (and for 0).
    std::string word(std::size_t n) const;

private:
    std::string m_text;
};

// The process's command line, set once by main.
void setCommandLine(int argc, const char* const* argv);
const CommandLine& commandLine();

} // namespace fw::core
