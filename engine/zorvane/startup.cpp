#include "engine/zorvane/startup.h"

#include "demo/dictionary/dictionary.h"
#include "demo/dictionary/records.h"
#include "demo/frame/frame.h"
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

// The manager objects of the data files, the error manager and the INI
// manager are objects of their classes from the moment the program is
// loaded, and this platform has no OLE control to make available and no
// character-set tables to set up; what is left to the start is clearing.
void start()
{
    using namespace demo::dictionary;
    CUS = {};
    STU = {};
    TEA = {};
    CLA = {};
    engine::initialiseGlobalData(0); // RTF folder, work folder, work files' names and records
    fw::core::threadValues() = {};
}

void end()
{
    engine::initialiseGlobalData(1); // the queues with all their entries
}

struct Step {
    MainStep step;
    void (*run)();
};

constexpr Step mainSteps[] = {
    {MainStep::ErrorManagerStarted, [] { fw::app::globalErrors().init(); }},
    {MainStep::IniManagerStarted, [] { fw::app::globalIni().init(IniFileName); }},
    {MainStep::DataFilesStarted, [] { demo::dictionary::InitDataFiles(); }},
    {MainStep::FrameClosed, [] { Main(); }},
    {MainStep::IniManagerEnded, [] { fw::app::globalIni().kill(); }},
    {MainStep::DataFilesEnded, [] { demo::dictionary::KillDataFiles(); }},
    {MainStep::ErrorManagerEnded, [] { fw::app::globalErrors().kill(); }},
};

} // namespace

void initialiseProgramData(int flag)
{
    if (flag == 0)
        start();
    else
        end();
}

void registerProgramInitialiser()
{
    fw::core::registerModuleInitialiser(5, &initialiseProgramData);
}

void programMain()
{
    for (const Step& step : mainSteps) {
        step.run();
        if (observer())
            observer()(step.step);
    }
}

void setMainStepObserver(std::function<void(MainStep)> watching)
{
    observer() = std::move(watching);
}

} // namespace zorvane
