#include "framework/app/ini_manager.h"

#include <ini.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "framework/core/text.h"
#include "framework/fs/staged_file.h"

namespace fw::app {

namespace {

// Section and setting names compare without regard to case, as INI files do.
std::string folded(std::string_view s)
{
    std::string out(fw::core::clip(fw::core::trimLeft(s)));
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

int keepSetting(void* user, const char* section, const char* name, const char* value)
{
    static_cast<IniManager*>(user)->update(section, name, value);
    return 1;
}

} // namespace

std::string IniManager::settingsFolder()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config == '/')
        return std::string(config) + "/reportmail";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.config/reportmail";
}

void IniManager::init(std::string_view fileName)
{
    m_values.clear();
    m_changed = false;
    const std::string name(fw::core::clip(fileName));
    m_path = !name.empty() && name.front() == '/' ? name : settingsFolder() + "/" + name;
    ini_parse(m_path.c_str(), &keepSetting, this); // a missing file is an empty one
    m_changed = false;
    m_active = true;
}

void IniManager::kill()
{
    if (m_active && m_changed) {
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::path(m_path).parent_path(), ignored);
        std::string text;
        for (const auto& [key, section] : m_values) {
            text += "[" + section.name + "]\n";
            for (const auto& [folded, setting] : section.settings)
                text += setting.name + "=" + setting.value + "\n";
        }
        // Written as a staged file: a write that fails keeps the settings
        // file that was there instead of leaving a cut one. Nobody is told:
        // the program is ending and keeps no setting of its own there.
        if (auto staged = fw::fs::StagedFile::begin(m_path)) {
            if (staged->write(text))
                (void)staged->commit();
        }
    }
    m_values.clear();
    m_changed = false;
    m_active = false;
}

std::string IniManager::fetch(std::string_view section, std::string_view name, std::string_view fallback) const
{
    const auto s = m_values.find(folded(section));
    if (s == m_values.end())
        return std::string(fallback);
    const auto v = s->second.settings.find(folded(name));
    return v == s->second.settings.end() ? std::string(fallback) : v->second.value;
}

void IniManager::update(std::string_view section, std::string_view name, std::string_view value)
{
    Section& s = m_values[folded(section)];
    if (s.name.empty())
        s.name = std::string(fw::core::clip(fw::core::trimLeft(section)));
    Setting& setting = s.settings[folded(name)];
    if (setting.name.empty())
        setting.name = std::string(fw::core::clip(fw::core::trimLeft(name)));
    setting.value = std::string(value);
    m_changed = true;
}

IniManager& globalIni()
{
    static IniManager manager;
    return manager;
}

} // namespace fw::app
