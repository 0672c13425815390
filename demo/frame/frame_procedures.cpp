#include "demo/frame/frame_procedures.h"

#include "demo/frame/frame_layout.h"

namespace zorvane {

namespace {

// The stack the reports ask for; the threads honour it as a minimum.
constexpr std::size_t reportStack = 50000;

std::vector<MenuAction> buildActions(const FrameProcedures& p)
{
    using namespace FrameControl;
    auto bulk = [p](std::uint8_t teachers, std::uint8_t classes) -> std::function<void()> {
        if (!p.BulkEmail)
            return {};
        return [p, teachers, classes] { p.BulkEmail(teachers, classes); };
    };
    return {
        {Classes, RunOn::NewThread, reportStack, p.TarvenClasses},
        {Students, RunOn::NewThread, reportStack, p.TarvenStudents},
        {Teachers, RunOn::NewThread, reportStack, p.TarvenTeachers},
        {Customers, RunOn::NewThread, reportStack, p.TarvenCustomers},
        {CustomersEmbed, RunOn::FrameThread, 0, p.TarvenCustomersEmbed},
        {EmailOne, RunOn::FrameThread, 0, p.EmailOne},
        {EmailTwo, RunOn::FrameThread, 0, p.EmailTwo},
        {TeachersToFirstFive, RunOn::FrameThread, 0, bulk(1, 0)},
        {ClassesToFirstFive, RunOn::FrameThread, 0, bulk(0, 1)},
    };
}

std::vector<MenuAction>& actions()
{
    static std::vector<MenuAction> table = buildActions({});
    return table;
}

} // namespace

void setFrameProcedures(FrameProcedures procedures) { actions() = buildActions(procedures); }

const std::vector<MenuAction>& menuActions() { return actions(); }

} // namespace zorvane
