#include "framework/automation/draft_opener.h"

#include <cstdlib>
#include <optional>

#include "framework/automation/desktop_entry.h"
#include "framework/automation/draft_attachments.h"
#include "framework/automation/html_text.h"
#include "framework/automation/mail_charset.h"
#include "framework/automation/mail_handler.h"
#include "framework/automation/mailto_link.h"
#include "framework/core/launch.h"

namespace fw::automation {

namespace {

std::function<bool(const std::vector<std::string>&)>& launcher()
{
    static std::function<bool(const std::vector<std::string>&)> l;
    return l;
}

// The words of $REPORTMAIL_DRAFT_OPENER; empty when it is unset or blank.
std::vector<std::string> chosenOpener()
{
    std::vector<std::string> command;
    const char* chosen = std::getenv(std::string(draftOpenerVariable).c_str());
    const std::string_view words = chosen ? chosen : "";
    std::size_t i = 0;
    while (i < words.size()) {
        while (i < words.size() && (words[i] == ' ' || words[i] == '\t'))
            ++i;
        const std::size_t start = i;
        while (i < words.size() && words[i] != ' ' && words[i] != '\t')
            ++i;
        if (i > start)
            command.emplace_back(words.substr(start, i - start));
    }
    return command;
}

std::vector<std::string> throughTheDesktop(const std::filesystem::path& draft) { return {"xdg-open", draft.string()}; }

// Evolution's composer: the attachments beside the draft, the body as text.
DraftOpening composerOfEvolution(const std::filesystem::path& draft, const MailDraft& mail,
                                 const std::optional<DesktopEntry>& entry)
{
    DraftOpening opening;
    std::vector<std::filesystem::path> files;
    if (auto saved = saveAttachmentsBeside(draft, mail.attachments))
        files = std::move(*saved);
    else
        opening.shortfalls.push_back(core::Error{
            "mail drafts", saved.error().message + ", so Evolution's composer has no attachments; the draft " +
                               draft.string() + " holds them"});
    const MailtoLink link = mailtoLink(mail, plainTextOfHtml(utf8Text(mail.htmlBody)), files);
    if (link.bodyCut)
        opening.shortfalls.push_back(
            core::Error{"mail drafts", "the body was cut to fit Evolution's composer; the draft " + draft.string() +
                                           " holds all of it"});
    opening.command = entry ? commandFor(*entry, {link.link}) : std::vector<std::string>{"evolution", link.link};
    return opening;
}

} // namespace

DraftOpening draftOpening(const std::filesystem::path& draft, const MailDraft& mail)
{
    if (std::vector<std::string> chosen = chosenOpener(); !chosen.empty()) {
        chosen.push_back(draft.string());
        return DraftOpening{std::move(chosen), {}};
    }
    const MailHandler handler = desktopMailHandler();
    const std::optional<DesktopEntry> entry =
        handler.program == MailProgram::None ? std::nullopt : findDesktopEntry(handler.desktopId);
    switch (handler.program) {
    case MailProgram::Thunderbird:
        return DraftOpening{entry ? commandFor(*entry, {draft.string()}) : throughTheDesktop(draft), {}};
    case MailProgram::Evolution:
        return composerOfEvolution(draft, mail, entry);
    case MailProgram::Mutt:
        return DraftOpening{entry ? commandFor(*entry, {"-H", draft.string()}) : throughTheDesktop(draft), {}};
    case MailProgram::Other:
    case MailProgram::None:
        break;
    }
    return DraftOpening{throughTheDesktop(draft), {}};
}

core::Expected<std::vector<core::Error>> openDraft(const std::filesystem::path& draft, const MailDraft& mail)
{
    DraftOpening opening = draftOpening(draft, mail);
    const std::vector<std::string>& command = opening.command;
    const std::string& program = command.front();
    using State = core::LaunchOutcome::State;
    core::LaunchOutcome outcome;
    if (launcher())
        outcome.state = launcher()(command) ? State::Running : State::NotStarted;
    else
        outcome = core::launchWatched(program, {command.begin() + 1, command.end()}, draftOpenerGrace);

    const std::string written = "the draft " + draft.string() + " was written but " + program;
    switch (outcome.state) {
    case State::NotStarted:
        return core::fail("mail drafts", written + " could not be started to open it");
    case State::Exited:
        if (outcome.code != 0)
            return core::fail("mail drafts", written + " ended with exit status " + std::to_string(outcome.code) +
                                                 " without showing it");
        break;
    case State::Killed:
        return core::fail("mail drafts",
                          written + " was ended by signal " + std::to_string(outcome.code) + " before showing it");
    case State::Running:
        break;
    }
    return std::move(opening.shortfalls);
}

void setDraftLauncherForTesting(std::function<bool(const std::vector<std::string>& command)> l)
{
    launcher() = std::move(l);
}

} // namespace fw::automation
