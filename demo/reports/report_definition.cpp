#include "demo/reports/report_definition.h"

#include <array>

#include "demo/dictionary/dictionary.h"
#include "demo/dictionary/records.h"
#include "demo/reports/report_layouts.h"

namespace zorvane {

namespace {

template <class Record>
class RunRecordOf final : public RunRecord {
public:
    RunRecordOf() { m_fields = fieldBindings(m_record); }
    void* data() override { return &m_record; }

private:
    Record m_record{};
};

template <class Record>
std::unique_ptr<RunRecord> makeRunRecord()
{
    return std::make_unique<RunRecordOf<Record>>();
}

constexpr std::array<std::string_view, 7> customerFields{"CUS:NAME",  "CUS:FIRSTDATE", "CUS:FIRSTTIME", "CUS:SUBURB",
                                                         "CUS:PHONE", "CUS:EMAIL",     "CUS:WEBSITE"};
constexpr std::array<std::string_view, 10> studentFields{
    "STU:NUMBER", "STU:FIRSTNAME", "STU:LASTNAME", "STU:ADDRESS",   "STU:ADDRESS2",
    "STU:CITY",   "STU:STATE",     "STU:ZIP",      "STU:TELEPHONE", "STU:GRADYEAR"};
constexpr std::array<std::string_view, 8> teacherFields{"TEA:NUMBER", "TEA:FIRSTNAME", "TEA:LASTNAME", "TEA:ADDRESS",
                                                        "TEA:CITY",   "TEA:STATE",     "TEA:ZIP",      "TEA:TELEPHONE"};
constexpr std::array<std::string_view, 3> classFields{"CLA:CLASSNUMBER", "CLA:ROOMNUMBER", "CLA:SCHEDULEDTIME"};

// The order follows ReportId.
// clang-format off
const std::array<ReportDefinition, 5> definitions{{
    {"TarvenCustomers", "zorvane$zorva002", &CUSTOMER, &Relate_CUSTOMER, "CUS:ByName", "CUS:NAME", customerFields,
     &customersReportLayout(), ReportId::Customers, &makeRunRecord<CustomerRecord>},
    {"TarvenStudents", "zorvane$zorva003", &STUDENTS, &Relate_STUDENTS, "STU:KEYLASTNAME", "STU:LASTNAME",
     studentFields, &studentsReportLayout(), ReportId::Students, &makeRunRecord<StudentRecord>},
    {"TarvenTeachers", "zorvane$zorva004", &TEACHERS, &Relate_TEACHERS, "TEA:KEYLASTNAME", "TEA:LASTNAME",
     teacherFields, &teachersReportLayout(), ReportId::Teachers, &makeRunRecord<TeacherRecord>},
    {"TarvenClasses", "zorvane$zorva005", &CLASSES, &Relate_CLASSES, "", "", classFields, &classesReportLayout(),
     ReportId::Classes, &makeRunRecord<ClassRecord>},
    {"TarvenCustomersEmbed", "zorvane$zorva006", &CUSTOMER, &Relate_CUSTOMER, "CUS:ByName", "CUS:NAME",
     customerFields, &customersEmbedReportLayout(), ReportId::CustomersEmbed, &makeRunRecord<CustomerRecord>},
}};
// clang-format on

} // namespace

const ReportDefinition& reportDefinition(ReportId report) { return definitions.at(static_cast<std::size_t>(report)); }

std::span<const ReportDefinition> reportDefinitions() { return definitions; }

} // namespace zorvane
