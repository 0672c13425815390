#include "framework/automation/desktop_entry.h"

#include <glib.h>

#include <cstdlib>
#include <filesystem>

namespace fw::automation {

namespace {

std::string environment(const char* name)
{
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::vector<std::filesystem::path> applicationFolders()
{
    std::vector<std::filesystem::path> folders;
    std::string dataHome = environment("XDG_DATA_HOME");
    if (dataHome.empty() || dataHome.front() != '/') {
        const std::string home = environment("HOME");
        dataHome = home.empty() ? std::string() : home + "/.local/share";
    }
    if (!dataHome.empty())
        folders.emplace_back(std::filesystem::path(dataHome) / "applications");
    std::string dataDirs = environment("XDG_DATA_DIRS");
    if (dataDirs.empty())
        dataDirs = "/usr/local/share:/usr/share";
    std::size_t start = 0;
    while (start <= dataDirs.size()) {
        std::size_t end = dataDirs.find(':', start);
        if (end == std::string::npos)
            end = dataDirs.size();
        const std::string dir = dataDirs.substr(start, end - start);
        if (!dir.empty() && dir.front() == '/')
            folders.emplace_back(std::filesystem::path(dir) / "applications");
        start = end + 1;
    }
    return folders;
}

// The names a desktop id may have in a folder: as it stands, and with each
// "-" (from the left) standing for a subfolder.
std::vector<std::string> candidateNames(std::string_view id)
{
    std::vector<std::string> names{std::string(id)};
    std::string name(id);
    for (std::size_t dash = name.find('-'); dash != std::string::npos; dash = name.find('-', dash + 1)) {
        name[dash] = '/';
        names.push_back(name);
    }
    return names;
}

std::optional<DesktopEntry> readEntry(const std::filesystem::path& file)
{
    GKeyFile* keys = g_key_file_new();
    std::optional<DesktopEntry> entry;
    if (g_key_file_load_from_file(keys, file.c_str(), G_KEY_FILE_NONE, nullptr)) {
        gchar* exec = g_key_file_get_string(keys, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_EXEC, nullptr);
        gchar** words = nullptr;
        gint count = 0;
        if (exec && g_shell_parse_argv(exec, &count, &words, nullptr) && count > 0) {
            DesktopEntry e;
            for (gint i = 0; i < count; ++i)
                e.exec.emplace_back(words[i]);
            e.terminal = g_key_file_get_boolean(keys, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_TERMINAL,
                                                nullptr) != FALSE;
            entry = std::move(e);
        }
        g_strfreev(words);
        g_free(exec);
    }
    g_key_file_free(keys);
    return entry;
}

bool isFieldCode(std::string_view word) { return word.size() == 2 && word[0] == '%' && word[1] != '%'; }

bool takesTheArguments(std::string_view word) { return word == "%f" || word == "%F" || word == "%u" || word == "%U"; }

// "%%" is a percent sign; anything else stays as written.
std::string withPercentSigns(std::string_view word)
{
    std::string out;
    for (std::size_t i = 0; i < word.size(); ++i) {
        out += word[i];
        if (word[i] == '%' && i + 1 < word.size() && word[i + 1] == '%')
            ++i;
    }
    return out;
}

} // namespace

std::optional<DesktopEntry> findDesktopEntry(std::string_view desktopId)
{
    if (desktopId.empty() || desktopId.find("..") != std::string_view::npos || desktopId.front() == '/')
        return std::nullopt;
    for (const std::filesystem::path& folder : applicationFolders())
        for (const std::string& name : candidateNames(desktopId)) {
            std::error_code ec;
            const std::filesystem::path file = folder / name;
            if (std::filesystem::is_regular_file(file, ec))
                if (auto entry = readEntry(file))
                    return entry;
        }
    return std::nullopt;
}

std::vector<std::string> commandFor(const DesktopEntry& entry, const std::vector<std::string>& arguments)
{
    std::vector<std::string> command;
    if (entry.terminal) {
        const std::string terminal = environment("TERMINAL");
        command.push_back(terminal.empty() ? "x-terminal-emulator" : terminal);
        command.push_back("-e");
    }
    bool placed = false;
    for (const std::string& word : entry.exec) {
        if (takesTheArguments(word)) {
            if (!placed)
                command.insert(command.end(), arguments.begin(), arguments.end());
            placed = true;
        } else if (!isFieldCode(word)) {
            command.push_back(withPercentSigns(word));
        }
    }
    if (!placed)
        command.insert(command.end(), arguments.begin(), arguments.end());
    return command;
}

} // namespace fw::automation
