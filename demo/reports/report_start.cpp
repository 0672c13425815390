#include "demo/reports/report_start.h"

#include <array>

#include "demo/reports/report_procedures.h"

namespace zorvane {

ReportProcedure reportProcedure(ReportId report)
{
    // The order follows ReportId.
    static constexpr std::array<ReportProcedure, 5> procedures{TarvenCustomers, TarvenStudents, TarvenTeachers,
                                                               TarvenClasses, TarvenCustomersEmbed};
    return procedures.at(static_cast<std::size_t>(report));
}

fw::threads::ThreadNumber startReport(ReportId report, ReportThread where)
{
    const ReportProcedure procedure = reportProcedure(report);
    if (where == ReportThread::Own)
        return fw::threads::start(procedure, ReportStackSize);
    procedure();
    return fw::threads::currentThread();
}

} // namespace zorvane
