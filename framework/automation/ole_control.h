#pragma once
// The OLE control: a place on a window that holds one automation object,
// created from a ProgID, and through which member texts reach it.
//
//     OleControl ole;
//     ole.setCreate("Outlook.Application");
//     const std::string item = ole.get("CreateItem(0)").value_or("");
//     ole.call(item + ".Attachments.Add(\"C:\\w\\Report.RTF\",1,1,\"Report.rtf\")");
//     ole.set(item + ".Subject", Value(std::string("Monthly report")));
//     ole.call(item + ".Display");
//     ole.setInPlaceDeactivate(Value(std::int64_t(1)));
//
// A member text whose result is an object (a mail item, a recipient) gives a
// reference text, "#" and at most 18 digits (never more than 19 characters),
// which later texts put in front of their members. References are unique in
// the process and valid on the control that gave them out until it creates
// another object or is destroyed; the control keeps those objects alive.
//
// Every failure (a ProgID nobody serves, a text that does not parse, an
// unknown reference, a member the object refuses) is reported on standard
// error with the member text (failure_report.h) and returned; the engine's
// callers ignore the result and go on, as they do on the original platform.
// A failed get gives no reference, so the engine's next texts begin with the
// dot and reach the control's own object, which refuses them in turn.
//
// The control also gathers the failures of the object it holds, as sentences
// for a person, and hands them to the program's failure notice once, when
// the object's work is done: at the in-place deactivation that ends a mail,
// or else when the control creates another object or is destroyed. The
// failures that only follow from an earlier one (texts sent while the
// control holds no object, or without the reference an earlier get failed
// to give) go to standard error but not into the notice, so one missing
// mail item makes one sentence, not one per member text.
//
// Not thread-safe: a control belongs to its window's thread.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "framework/automation/automation_object.h"
#include "framework/automation/value.h"
#include "framework/core/error.h"

namespace fw::automation {

class OleControl {
public:
    OleControl();
    ~OleControl();
    OleControl(const OleControl&) = delete;
    OleControl& operator=(const OleControl&) = delete;

    // The create property: creates the object registered for `progId`. The
    // object held before and every reference it gave out are released first;
    // on failure the control stays empty.
    [[nodiscard]] core::Expected<void> setCreate(std::string_view progId);
    // The ProgID of the object held; empty when the control holds none.
    const std::string& create() const { return m_progId; }
    bool hasObject() const { return m_object != nullptr; }

    // Runs the member text and keeps its result: an object as a reference
    // text, a value as text (a number in decimal), nothing as "".
    [[nodiscard]] core::Expected<std::string> get(std::string_view memberText);
    // Runs the member text and drops its result.
    [[nodiscard]] core::Expected<void> call(std::string_view memberText);
    // Assigns `value` to the member the text names.
    [[nodiscard]] core::Expected<void> set(std::string_view memberText, const Value& value);

    // The in-place-deactivate property. Setting it tells the object held;
    // the value itself is kept but means nothing on this platform.
    void setInPlaceDeactivate(const Value& value);
    const Value& inPlaceDeactivate() const { return m_inPlaceDeactivate; }

private:
    [[nodiscard]] core::Expected<Result> run(std::string_view memberText, Access access, const Value& value);
    [[nodiscard]] std::unexpected<core::Error> failed(Access access, std::string_view memberText,
                                                      const core::Error& why);
    void gather(const core::Error& why);
    void noticeGathered();
    std::string referenceFor(const ObjectPtr& object);

    std::string m_progId;
    ObjectPtr m_object;
    std::map<std::string, ObjectPtr> m_references;
    Value m_inPlaceDeactivate;
    std::vector<std::string> m_gathered; // sentences for the failure notice
};

} // namespace fw::automation
