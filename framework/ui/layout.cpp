#include "framework/ui/layout.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <filesystem>
#include <system_error>

#include "framework/core/text.h"

namespace fw::ui {

namespace {

bool sameName(std::string_view a, std::string_view b)
{
    a = core::clip(a);
    b = core::clip(b);
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::deque<WindowLayout>& layouts()
{
    static std::deque<WindowLayout> stored; // a deque: found layouts stay where they are
    return stored;
}

std::vector<std::string>& resourceFolders()
{
    static std::vector<std::string> folders;
    return folders;
}

std::string findIn(const std::filesystem::path& folder, std::string_view name)
{
    std::error_code error;
    const std::filesystem::path exact = folder / std::string(name);
    if (std::filesystem::is_regular_file(exact, error))
        return exact.string();
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (sameName(entry.path().filename().string(), name) && entry.is_regular_file(error))
            return entry.path().string();
    return {};
}

} // namespace

void registerLayout(WindowLayout layout)
{
    auto& stored = layouts();
    for (WindowLayout& existing : stored)
        if (sameName(existing.label, layout.label) && sameName(existing.moduleKey, layout.moduleKey)) {
            existing = std::move(layout);
            return;
        }
    stored.push_back(std::move(layout));
}

const WindowLayout* findLayout(std::string_view label, std::string_view moduleKey)
{
    for (const WindowLayout& layout : layouts())
        if (sameName(layout.label, label) && sameName(layout.moduleKey, moduleKey))
            return &layout;
    return nullptr;
}

void addResourceFolder(std::string folder) { resourceFolders().push_back(std::move(folder)); }

std::string findResource(std::string_view name)
{
    name = core::clip(name);
    if (name.empty())
        return {};
    const std::filesystem::path asGiven{std::string(name)};
    std::error_code error;
    if (asGiven.is_absolute())
        return std::filesystem::is_regular_file(asGiven, error) ? asGiven.string() : std::string{};
    std::string found = findIn(std::filesystem::current_path(error), name);
    for (auto it = resourceFolders().begin(); found.empty() && it != resourceFolders().end(); ++it)
        found = findIn(*it, name);
    return found;
}

} // namespace fw::ui
