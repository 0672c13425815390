#include "engine/zorvane/startup.h"

#include "engine/global_data.h"
#include "framework/app/error_manager.h"
#include "framework/app/ini_manager.h"
#include "framework/core/module_init.h"
#include "framework/core/thread_values.h"

namespace zorvane {

namespace {

std::function<void(MainStep)>& observer()
{
    static std::function<void(MainStep)> watching;
    return watching;
}

StartupProcedures& handedOver()
{
    static StartupProcedures procedures;
    return procedures;
}

// A copy runs: the frame runs for the whole life of the program, and a
// procedure handed over meanwhile must not pull it from under itself.
void runHandedOver(std::function<void()> procedure)
{
    if (procedure)
        procedure();
}

// The manager objects of the data files, the error manager and the INI
// manager are objects of their classes from the moment the program is
// loaded, and this platform has no OLE control to make available and no
// character-set tables to set up; what is left to the start is clearing.
void start()
{
    runHandedOver(handedOver().clearRecordBuffers);
    // The RTF folder, the work folder, the work files' names and records.
    engine::initialiseGlobalData(fw::core::ModuleStep::Start);
    fw::core::threadValues() = {};
}

void end()
{
    engine::initialiseGlobalData(fw::core::ModuleStep::End); // the queues with all their entries
}

struct Step {
    MainStep step;
    void (*run)();
};

constexpr Step mainSteps[] = {
    {MainStep::ErrorManagerStarted, [] { fw::app::globalErrors().init(); }},
    {MainStep::IniManagerStarted, [] { fw::app::globalIni().init(IniFileName); }},
    {MainStep::DataFilesStarted, [] { runHandedOver(handedOver().initDataFiles); }},
    {MainStep::FrameClosed, [] { runHandedOver(handedOver().frame); }},
    {MainStep::IniManagerEnded, [] { fw::app::globalIni().kill(); }},
    {MainStep::DataFilesEnded, [] { runHandedOver(handedOver().killDataFiles); }},
    {MainStep::ErrorManagerEnded, [] { fw::app::globalErrors().kill(); }},
};

} // namespace

void setStartupProcedures(StartupProcedures procedures) { handedOver() = std::move(procedures); }

void initialiseProgramData(fw::core::ModuleStep step)
{
    if (step == fw::core::ModuleStep::Start)
        start();
    else
        end();
}

void registerProgramInitialiser()
{
    fw::core::registerModuleInitialiser(fw::core::ProgramModulePriority, &initialiseProgramData);
}

void programMain()
{
    for (const Step& step : mainSteps) {
        step.run();
        if (observer())
            observer()(step.step);
    }
}

void setMainStepObserver(std::function<void(MainStep)> watching) { observer() = std::move(watching); }

} // namespace zorvane
