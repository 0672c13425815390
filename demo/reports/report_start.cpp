#include "demo/reports/report_start.h"

#include <array>

#include "demo/reports/report_procedures.h"
#include "framework/core/thread_values.h"

namespace zorvane {

ReportProcedure reportProcedure(ReportId report)
{
    // The order follows ReportId.
    static constexpr std::array<ReportProcedure, 5> procedures{TarvenCustomers, TarvenStudents, TarvenTeachers,
                                                               TarvenClasses, TarvenCustomersEmbed};
    return procedures.at(static_cast<std::size_t>(report));
}

fw::threads::ThreadNumber startReport(ReportId report, ReportThread where, std::uint8_t* response)
{
    const ReportProcedure procedure = reportProcedure(report);
    auto run = [procedure, response] {
        procedure();
        if (response)
            *response = fw::core::threadValues().response;
    };
    if (where == ReportThread::Own)
        return fw::threads::start(run, ReportStackSize);
    run();
    return fw::threads::currentThread();
}

} // namespace zorvane
