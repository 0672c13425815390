#include "framework/report/layout_registry.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "framework/core/text.h"

namespace fw::report {

namespace {

std::string keyOf(std::string_view label, std::string_view moduleKey)
{
    std::string key(core::clip(label));
    key += '\n'; // neither a label nor a module key holds a line break
    key += core::clip(moduleKey);
    return core::upperCase(key);
}

struct Registry {
    std::mutex mutex;
    // Layouts are held by pointer so that a pointer handed out stays valid
    // when another layout is registered.
    std::map<std::string, std::unique_ptr<ReportLayout>> layouts;
};

Registry& registry()
{
    static Registry r;
    return r;
}

} // namespace

void registerReportLayout(std::string_view label, std::string_view moduleKey, const ReportLayout& layout)
{
    Registry& r = registry();
    const std::lock_guard lock(r.mutex);
    auto& slot = r.layouts[keyOf(label, moduleKey)];
    if (slot)
        *slot = layout;
    else
        slot = std::make_unique<ReportLayout>(layout);
}

const ReportLayout* findReportLayout(std::string_view label, std::string_view moduleKey)
{
    Registry& r = registry();
    const std::lock_guard lock(r.mutex);
    const auto it = r.layouts.find(keyOf(label, moduleKey));
    return it == r.layouts.end() ? nullptr : it->second.get();
}

} // namespace fw::report
