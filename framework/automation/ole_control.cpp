#include "framework/automation/ole_control.h"

#include <atomic>
#include <cstdint>

#include "framework/automation/failure_report.h"
#include "framework/automation/registry.h"

namespace fw::automation {

namespace {

// A process-wide counter, so a reference from one control never names an
// object on another. It wraps before it would need a 19th digit.
std::string nextReference()
{
    static std::atomic<std::uint64_t> counter{0};
    constexpr std::uint64_t limit = 999'999'999'999'999'999ULL;
    const std::uint64_t n = counter.fetch_add(1, std::memory_order_relaxed) % limit + 1;
    return std::string("#").append(std::to_string(n));
}

// `why` is the object's own error ("mail item: ..."), or the control's
// reason without a layer of its own.
std::unexpected<core::Error> failedText(Access access, std::string_view memberText, const core::Error& why)
{
    const std::string reason = why.layer.empty() ? why.message : why.text();
    core::Error e{"automation",
                  std::string(accessName(access)) + " \"" + escapedForReport(memberText) + "\" failed: " + reason,
                  why.code};
    reportFailure(e);
    return std::unexpected(std::move(e));
}

} // namespace

OleControl::OleControl() = default;
OleControl::~OleControl() = default;

core::Expected<void> OleControl::setCreate(std::string_view progId)
{
    m_references.clear();
    m_object.reset();
    m_progId.clear();
    auto object = createObject(progId);
    if (!object) {
        core::Error e{"automation",
                      "cannot create the object \"" + escapedForReport(progId) + "\": " + object.error().message,
                      object.error().code};
        reportFailure(e);
        return std::unexpected(std::move(e));
    }
    m_object = std::move(*object);
    m_progId = std::string(progId);
    return {};
}

core::Expected<Result> OleControl::run(std::string_view memberText, Access access, const Value& value)
{
    auto parsed = parseMemberText(memberText);
    if (!parsed)
        return failedText(access, memberText, parsed.error());
    ObjectPtr target;
    if (parsed->reference.empty()) {
        target = m_object;
        if (!target)
            return failedText(access, memberText, core::Error{"", "the control holds no object", 0});
    } else {
        const auto it = m_references.find(parsed->reference);
        if (it == m_references.end())
            return failedText(access, memberText,
                              core::Error{"", "no object has the reference " + parsed->reference, 0});
        target = it->second;
    }
    auto result = target->invoke(*parsed, access, value);
    if (!result)
        return failedText(access, memberText, result.error());
    return result;
}

std::string OleControl::referenceFor(const ObjectPtr& object)
{
    for (const auto& [reference, held] : m_references)
        if (held == object)
            return reference;
    std::string reference = nextReference();
    m_references.emplace(reference, object);
    return reference;
}

core::Expected<std::string> OleControl::get(std::string_view memberText)
{
    auto result = run(memberText, Access::Get, Value{});
    if (!result)
        return std::unexpected(result.error());
    if (result->object)
        return referenceFor(result->object);
    return valueText(result->value);
}

core::Expected<void> OleControl::call(std::string_view memberText)
{
    auto result = run(memberText, Access::Call, Value{});
    if (!result)
        return std::unexpected(result.error());
    return {};
}

core::Expected<void> OleControl::set(std::string_view memberText, const Value& value)
{
    auto result = run(memberText, Access::Set, value);
    if (!result)
        return std::unexpected(result.error());
    return {};
}

void OleControl::setInPlaceDeactivate(const Value& value)
{
    m_inPlaceDeactivate = value;
    if (m_object)
        m_object->deactivateInPlace(value);
}

} // namespace fw::automation
