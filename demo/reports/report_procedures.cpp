#include "demo/reports/report_procedures.h"

#include "demo/reports/report_definition.h"
#include "demo/reports/report_run.h"

namespace zorvane {

void TarvenCustomers() { runReport(reportDefinition(ReportId::Customers)); }
void TarvenStudents() { runReport(reportDefinition(ReportId::Students)); }
void TarvenTeachers() { runReport(reportDefinition(ReportId::Teachers)); }
void TarvenClasses() { runReport(reportDefinition(ReportId::Classes)); }
void TarvenCustomersEmbed() { runReport(reportDefinition(ReportId::CustomersEmbed)); }

} // namespace zorvane
