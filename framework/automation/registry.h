#pragma once
// The ProgID registry: which factory creates the object for a ProgID.
//
// On this platform no automation server is installed system-wide; the
// framework brings its own. "Outlook.Application" is registered from the
// start with the framework's mail application object (mail_application.h).
// A test registers its own factory (a recording object) under the same
// ProgID for as long as a ScopedRegistration lives. ProgIDs are compared
// without regard to case, like the keys they stand for.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "framework/automation/automation_object.h"
#include "framework/core/error.h"

namespace fw::automation {

using ObjectFactory = std::function<ObjectPtr()>;

// Registers `factory` under `progId`, replacing what was there; returns the
// factory it replaced, if any.
std::optional<ObjectFactory> registerProgId(std::string_view progId, ObjectFactory factory);

// Removes the registration; creating the ProgID then fails.
void unregisterProgId(std::string_view progId);

// Creates a new object for `progId`. Fails when nothing is registered or the
// factory gives no object.
[[nodiscard]] core::Expected<ObjectPtr> createObject(std::string_view progId);

// Registers a factory for its lifetime and then restores the registration
// it replaced (or removes it when there was none).
class ScopedRegistration {
public:
    ScopedRegistration(std::string progId, ObjectFactory factory);
    ~ScopedRegistration();
    ScopedRegistration(const ScopedRegistration&) = delete;
    ScopedRegistration& operator=(const ScopedRegistration&) = delete;

private:
    std::string m_progId;
    std::optional<ObjectFactory> m_previous;
};

} // namespace fw::automation
