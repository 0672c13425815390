#include "framework/automation/draft_opener.h"

#include <cstdlib>

#include "framework/core/launch.h"

namespace fw::automation {

namespace {

std::function<bool(const std::vector<std::string>&)>& launcher()
{
    static std::function<bool(const std::vector<std::string>&)> l;
    return l;
}

} // namespace

std::vector<std::string> draftOpenerCommand(const std::filesystem::path& draft)
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
    if (command.empty())
        command.emplace_back("xdg-open");
    command.push_back(draft.string());
    return command;
}

core::Expected<void> openDraft(const std::filesystem::path& draft)
{
    const std::vector<std::string> command = draftOpenerCommand(draft);
    const bool started = launcher()
                             ? launcher()(command)
                             : core::launchDetached(command.front(), {command.begin() + 1, command.end()});
    if (!started)
        return core::fail("mail drafts", "the draft " + draft.string() + " was written but " + command.front() +
                                             " could not be started to open it");
    return {};
}

void setDraftLauncherForTesting(std::function<bool(const std::vector<std::string>& command)> l)
{
    launcher() = std::move(l);
}

} // namespace fw::automation
