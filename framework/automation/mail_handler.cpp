#include "framework/automation/mail_handler.h"

#include <chrono>

#include "framework/core/launch.h"

namespace fw::automation {

namespace {

std::function<std::string(std::string_view)>& querySeam()
{
    static std::function<std::string(std::string_view)> q;
    return q;
}

// xdg-mime is a shell script that may consult the desktop's own tools (KDE's,
// GNOME's); it answers in a fraction of a second, and a desktop that does
// not answer in a few is treated as one that names no program.
constexpr std::chrono::milliseconds queryTimeout{3000};

std::string defaultFor(std::string_view mimeType)
{
    if (querySeam())
        return querySeam()(mimeType);
    const auto answer = core::runForOutput("xdg-mime", {"query", "default", std::string(mimeType)}, queryTimeout);
    if (!answer)
        return {};
    // One desktop id on one line; the desktop may list several, the first
    // is its choice.
    std::string id = answer->substr(0, answer->find_first_of(";\n"));
    while (!id.empty() && (id.back() == ' ' || id.back() == '\r' || id.back() == '\t'))
        id.pop_back();
    return id;
}

std::string lowerCase(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

struct Known {
    std::string_view part; // a part of the lower-case desktop id
    MailProgram program;
};

// clang-format off
constexpr Known knownPrograms[] = {
    {"thunderbird", MailProgram::Thunderbird}, {"icedove", MailProgram::Thunderbird},
    {"betterbird", MailProgram::Thunderbird},  {"evolution", MailProgram::Evolution},
    {"mutt", MailProgram::Mutt}, // neomutt.desktop, mutt.desktop
};
// clang-format on

} // namespace

MailProgram mailProgramOf(std::string_view desktopId)
{
    if (desktopId.empty())
        return MailProgram::None;
    const std::string id = lowerCase(desktopId);
    for (const Known& known : knownPrograms)
        if (id.find(known.part) != std::string::npos)
            return known.program;
    return MailProgram::Other;
}

MailHandler desktopMailHandler()
{
    for (const std::string_view type :
         {std::string_view("x-scheme-handler/mailto"), std::string_view("message/rfc822")})
        if (std::string id = defaultFor(type); !id.empty())
            return MailHandler{id, mailProgramOf(id)};
    return {};
}

void setMailHandlerQueryForTesting(std::function<std::string(std::string_view mimeType)> query)
{
    querySeam() = std::move(query);
}

} // namespace fw::automation
