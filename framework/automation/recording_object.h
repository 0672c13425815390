#pragma once
// A recording object for tests: registered under a ProgID, it stands in for
// the real server and writes down every creation, member text, value and
// in-place deactivation in the order they arrive.
//
//     RecordingRegistration outlook("Outlook.Application");
//     ... run the code under test ...
//     EXPECT_EQ(outlook.lines(), (std::vector<std::string>{
//         "create Outlook.Application",
//         "get CreateItem(0) -> {1}",
//         "call {1}.Attachments.Add(\"C:\\w\\KR\\Report.RTF\",1,1,\"Report.rtf\")",
//         "get {1}.Recipients.Add(\" x2\") -> {2}",
//         "set {2}.type = 2",
//         "set {1}.Subject = \"Report\"",
//         "call {1}.Display",
//         "deactivate 1",
//     }));
//
// Every get answers with a new recording object; the objects a recording
// hands out are numbered from 1 in that order, and a line shows the
// reference at the front of a text as {n}, so the lines do not depend on the
// reference texts the control chose. The rest of a text is shown exactly as
// it arrived. Values: numbers as they are, texts in double quotes. Calls
// give nothing, sets are accepted. A line the test names with failOn() is
// refused instead (and recorded with " -> failed"), so a test can watch its
// caller go on after a failure.

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "framework/automation/registry.h"

namespace fw::automation {

class Recording {
public:
    const std::vector<std::string>& lines() const { return m_lines; }
    void clear() { m_lines.clear(); }

    // Refuses every access whose line (without its result) is `line`,
    // e.g. "get CreateItem(0)" or "set {1}.Subject = \"x\"".
    void failOn(std::string line) { m_failing.insert(std::move(line)); }

private:
    friend class RecordingObject;
    friend class RecordingRegistration;
    std::vector<std::string> m_lines;
    std::set<std::string> m_failing;
    int m_handedOut = 0;
};

// The object itself; tests normally reach it only through a registration.
class RecordingObject final : public AutomationObject {
public:
    RecordingObject(std::shared_ptr<Recording> recording, int number);

    [[nodiscard]] core::Expected<Result> invoke(const MemberText& text, Access access, const Value& value) override;
    void deactivateInPlace(const Value& value) override;

private:
    std::shared_ptr<Recording> m_recording;
    int m_number; // 0 for an object a ProgID created
};

// Registers a recording object under `progId` for its lifetime (restoring
// what was registered before). Every object created there records into the
// same recording, so several mails in a row show up one after the other.
class RecordingRegistration {
public:
    explicit RecordingRegistration(std::string progId);

    Recording& recording() { return *m_recording; }
    const std::vector<std::string>& lines() const { return m_recording->lines(); }

private:
    std::shared_ptr<Recording> m_recording;
    ScopedRegistration m_registration;
};

} // namespace fw::automation
