#include "cmdmailer/program/vextrel_modules.h"

#include "cmdmailer/goods_report/goods_report_layouts.h"
#include "engine/global_data.h"
#include "framework/core/module_init.h"
#include "framework/ui/layout.h"
#include "goods/goods_file.h"

namespace vextrel {

namespace {

// The data comes first and goes last: every other module may use it.
constexpr int DataPriority = 100;
constexpr int ModulePriority = 50;

// The frame is never opened: it only gives the run a window of its own.
fw::ui::WindowLayout frameLayout()
{
    fw::ui::WindowLayout frame;
    frame.label = FrameLabel;
    frame.moduleKey = FrameModuleKey;
    frame.kind = fw::ui::WindowKind::Frame;
    frame.title = "Application";
    return frame;
}

} // namespace

void initialiseProgramData(fw::core::ModuleStep step)
{
    engine::initialiseGlobalData(step);
    if (step == fw::core::ModuleStep::Start)
        goods::GOODS.clearBuffer();
}

void registerVextrelModules()
{
    fw::core::registerModuleInitialiser(DataPriority, initialiseProgramData);
    fw::core::registerModuleInitialiser(ModulePriority, [](fw::core::ModuleStep step) {
        if (step == fw::core::ModuleStep::Start)
            fw::ui::registerLayout(frameLayout());
    });
    fw::core::registerModuleInitialiser(ModulePriority, [](fw::core::ModuleStep step) {
        if (step == fw::core::ModuleStep::Start)
            registerGoodsReportLayouts();
    });
}

} // namespace vextrel
