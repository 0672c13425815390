#pragma once
// The INI manager: settings by section and name in one INI file.
//
// The file lies where the desktop keeps a user's settings: in
// $XDG_CONFIG_HOME/reportmail/, or ~/.config/reportmail/ when that is not
// set (an absolute file name is used as it stands). init() reads what is
// there; update() keeps the change in memory and kill() writes the file back
// only when something changed, so a program that stores nothing never
// creates one.

#include <map>
#include <string>
#include <string_view>

namespace fw::app {

class IniManager {
public:
    void init(std::string_view fileName);
    void kill();
    bool isActive() const { return m_active; }

    // The file's path, once init() has run.
    const std::string& path() const { return m_path; }

    std::string fetch(std::string_view section, std::string_view name, std::string_view fallback = {}) const;
    void update(std::string_view section, std::string_view name, std::string_view value);

    // The folder settings files go in, by the desktop's conventions.
    static std::string settingsFolder();

private:
    // Looked up without regard to case, written back as first spelt.
    struct Setting {
        std::string name;
        std::string value;
    };
    struct Section {
        std::string name;
        std::map<std::string, Setting> settings;
    };
    std::map<std::string, Section> m_values;
    std::string m_path;
    bool m_changed = false;
    bool m_active = false;
};

// The program's one INI manager.
IniManager& globalIni();

} // namespace fw::app
