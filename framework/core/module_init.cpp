#include "framework/core/module_init.h"

#include <algorithm>
#include <vector>

namespace fw::core {

namespace {

struct Entry {
    int priority;
    int order;
    ModuleInitialiser initialiser;
};

std::vector<Entry>& entries()
{
    static std::vector<Entry> list;
    return list;
}

std::vector<Entry> inStartOrder()
{
    std::vector<Entry> list = entries();
    std::stable_sort(list.begin(), list.end(), [](const Entry& a, const Entry& b) {
        return a.priority != b.priority ? a.priority > b.priority : a.order < b.order;
    });
    return list;
}

} // namespace

void registerModuleInitialiser(int priority, ModuleInitialiser initialiser)
{
    const int order = static_cast<int>(entries().size());
    entries().push_back({priority, order, std::move(initialiser)});
}

void runModuleStart()
{
    for (const Entry& e : inStartOrder())
        e.initialiser(ModuleStep::Start);
}

void runModuleEnd()
{
    std::vector<Entry> list = inStartOrder();
    std::reverse(list.begin(), list.end());
    entries().clear();
    for (const Entry& e : list)
        e.initialiser(ModuleStep::End);
}

} // namespace fw::core
