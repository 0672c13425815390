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

// The report line of a member text: `why` is the object's own error
// ("mail item: ..."), or the control's reason without a layer of its own.
core::Error textError(Access access, std::string_view memberText, const core::Error& why, std::string_view verb)
{
    const std::string reason = why.layer.empty() ? why.message : why.text();
    return core::Error{"automation",
                       std::string(accessName(access)) + " \"" + escapedForReport(memberText) + "\"" +
                           std::string(verb) + reason,
                       why.code};
}

} // namespace

OleControl::OleControl() = default;

OleControl::~OleControl() { noticeGathered(); }

core::Expected<void> OleControl::setCreate(std::string_view progId)
{
    noticeGathered();
    m_references.clear();
    m_object.reset();
    m_progId.clear();
    auto object = createObject(progId);
    if (!object) {
        core::Error e{"automation",
                      "cannot create the object \"" + escapedForReport(progId) + "\": " + object.error().message,
                      object.error().code};
        reportFailure(e);
        gather(e);
        return std::unexpected(std::move(e));
    }
    m_object = std::move(*object);
    m_progId = std::string(progId);
    return {};
}

std::unexpected<core::Error> OleControl::failed(Access access, std::string_view memberText, const core::Error& why)
{
    core::Error e = textError(access, memberText, why, " failed: ");
    reportFailure(e);
    // A text without the object it was meant for, after a failure: the
    // earlier failure already says what went wrong.
    const bool consequence = !m_gathered.empty() && (!m_object || memberText.starts_with("."));
    if (!consequence)
        gather(why);
    return std::unexpected(std::move(e));
}

core::Expected<Result> OleControl::run(std::string_view memberText, Access access, const Value& value)
{
    auto parsed = parseMemberText(memberText);
    if (!parsed)
        return failed(access, memberText, parsed.error());
    ObjectPtr target;
    if (parsed->reference.empty()) {
        target = m_object;
        if (!target)
            return failed(access, memberText, core::Error{"", "the control holds no object", 0});
    } else {
        const auto it = m_references.find(parsed->reference);
        if (it == m_references.end())
            return failed(access, memberText, core::Error{"", "no object has the reference " + parsed->reference, 0});
        target = it->second;
    }
    auto result = target->invoke(*parsed, access, value);
    if (!result)
        return failed(access, memberText, result.error());
    for (const core::Error& warning : result->warnings) {
        reportFailure(textError(access, memberText, warning, ": "));
        gather(warning);
    }
    return result;
}

void OleControl::gather(const core::Error& why)
{
    std::string sentence = noticeSentence(why);
    for (const std::string& known : m_gathered)
        if (known == sentence)
            return;
    m_gathered.push_back(std::move(sentence));
}

void OleControl::noticeGathered()
{
    std::vector<std::string> failures;
    failures.swap(m_gathered);
    noticeFailures(failures);
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
    noticeGathered();
}

} // namespace fw::automation
