#include "framework/automation/registry.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "framework/automation/mail_application.h"

namespace fw::automation {

namespace {

struct CaseInsensitiveLess {
    bool operator()(const std::string& a, const std::string& b) const
    {
        const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : int(c); };
        const std::size_t n = std::min(a.size(), b.size());
        for (std::size_t i = 0; i < n; ++i) {
            const int x = lower(static_cast<unsigned char>(a[i]));
            const int y = lower(static_cast<unsigned char>(b[i]));
            if (x != y)
                return x < y;
        }
        return a.size() < b.size();
    }
};

struct Registry {
    std::mutex mutex;
    std::map<std::string, ObjectFactory, CaseInsensitiveLess> factories;

    Registry() { factories.emplace(std::string(mailApplicationProgId), &createMailApplication); }
};

Registry& registry()
{
    static Registry r;
    return r;
}

} // namespace

std::optional<ObjectFactory> registerProgId(std::string_view progId, ObjectFactory factory)
{
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    std::optional<ObjectFactory> previous;
    const auto it = r.factories.find(std::string(progId));
    if (it != r.factories.end()) {
        previous = std::move(it->second);
        r.factories.erase(it);
    }
    r.factories.emplace(std::string(progId), std::move(factory));
    return previous;
}

void unregisterProgId(std::string_view progId)
{
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.factories.erase(std::string(progId));
}

core::Expected<ObjectPtr> createObject(std::string_view progId)
{
    ObjectFactory factory;
    {
        Registry& r = registry();
        std::lock_guard lock(r.mutex);
        const auto it = r.factories.find(std::string(progId));
        if (it == r.factories.end())
            return core::fail("automation", "no object is registered under the ProgID \"" + std::string(progId) + "\"");
        factory = it->second;
    }
    // The factory runs without the lock: it may register further ProgIDs.
    ObjectPtr object = factory ? factory() : nullptr;
    if (!object)
        return core::fail("automation",
                          "the object for the ProgID \"" + std::string(progId) + "\" could not be created");
    return object;
}

ScopedRegistration::ScopedRegistration(std::string progId, ObjectFactory factory)
    : m_progId(std::move(progId)), m_previous(registerProgId(m_progId, std::move(factory)))
{
}

ScopedRegistration::~ScopedRegistration()
{
    if (m_previous)
        registerProgId(m_progId, std::move(*m_previous));
    else
        unregisterProgId(m_progId);
}

} // namespace fw::automation
