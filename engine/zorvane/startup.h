#pragma once
// How zorvane comes up and goes down.
//
// The program's data initialiser puts the global data into its start state
// before any procedure runs and releases the queues at the very end; it is
// registered at fw::core::ProgramModulePriority, the lowest of the program,
// before every other module of that priority, so it starts after the
// framework's modules and before the program's own window modules, and ends
// after them. The main procedure starts the error manager, the INI manager
// on "zorvane.INI" and the data dictionary, runs the frame until the user
// closes it, and then releases the INI manager, the dictionary and the error
// manager, in that order. Nothing in between looks at a result: the services
// report their own failures.
//
// The frame and the data dictionary are the program's (demo/), which stands
// above the engine: the start-up does not reach up to them but is handed
// them by the program (demo/program) before the framework starts the
// modules, as the frame is handed its menu's procedures.

#include <cstdint>
#include <functional>
#include <string_view>

#include "framework/core/module_init.h"

namespace zorvane {

inline constexpr std::string_view IniFileName = "zorvane.INI";

// What the program hands the start-up. A procedure not handed over does
// nothing where it would run.
struct StartupProcedures {
    std::function<void()> frame;              // runs the frame until the user closes it
    std::function<void()> initDataFiles;      // builds the data dictionary's managers
    std::function<void()> killDataFiles;      // releases them
    std::function<void()> clearRecordBuffers; // blanks every data file's record buffer
};

void setStartupProcedures(StartupProcedures procedures);

void initialiseProgramData(fw::core::ModuleStep step);

// Registers initialiseProgramData with the framework's module start and end.
// Call it before any other module of the program's priority registers.
void registerProgramInitialiser();

// The main procedure. The framework calls it once, after every module
// initialiser has run.
void programMain();

// The steps of the main procedure, in the order they run.
enum class MainStep : std::uint8_t {
    ErrorManagerStarted,
    IniManagerStarted,
    DataFilesStarted,
    FrameClosed,
    IniManagerEnded,
    DataFilesEnded,
    ErrorManagerEnded,
};

// Called after each step of the main procedure (tests watch the order in
// which the services come and go); an empty function removes the observer.
void setMainStepObserver(std::function<void(MainStep)> observer);

} // namespace zorvane
