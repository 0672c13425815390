#include "framework/automation/recording_object.h"

namespace fw::automation {

RecordingObject::RecordingObject(std::shared_ptr<Recording> recording, int number)
    : m_recording(std::move(recording)), m_number(number)
{
}

core::Expected<Result> RecordingObject::invoke(const MemberText& text, Access access, const Value& value)
{
    std::string shown = text.text;
    if (!text.reference.empty() && shown.starts_with(text.reference))
        shown.replace(0, text.reference.size(), std::string("{").append(std::to_string(m_number)).append("}"));
    std::string line = std::string(accessName(access)) + " " + shown;
    if (access == Access::Set)
        line += " = " + describeValue(value);

    if (m_recording->m_failing.contains(line)) {
        m_recording->m_lines.push_back(line + " -> failed");
        return core::fail("recording object", "refuses " + line + " as the test asked");
    }
    if (access != Access::Get) {
        m_recording->m_lines.push_back(line);
        return Result{};
    }
    const int number = ++m_recording->m_handedOut;
    m_recording->m_lines.push_back(line + " -> {" + std::to_string(number) + "}");
    return Result{Value{}, std::make_shared<RecordingObject>(m_recording, number)};
}

void RecordingObject::deactivateInPlace(const Value& value)
{
    m_recording->m_lines.push_back("deactivate " + describeValue(value));
}

RecordingRegistration::RecordingRegistration(std::string progId)
    : m_recording(std::make_shared<Recording>()),
      m_registration(progId, [recording = m_recording, progId]() -> ObjectPtr {
          recording->m_lines.push_back("create " + progId);
          return std::make_shared<RecordingObject>(recording, 0);
      })
{
}

} // namespace fw::automation
