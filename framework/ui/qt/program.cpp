#include "framework/ui/program.h"

#include <QApplication>

#include "framework/core/command_line.h"
#include "framework/core/module_init.h"
#include "framework/threads/scheduler.h"
#include "framework/ui/qt/application.h"
#include "framework/ui/window.h"

namespace fw::ui {

void closeAllWindows()
{
    for (Window* window : openWindows())
        window->post(Event::CloseWindow);
    threads::runReadyThreads();
    // A thread that waits for something else than its window keeps its
    // windows open; they close without it.
    for (Window* window : openWindows())
        window->close();
    // Dialogs still up (a message box a thread waits on) are closed too,
    // and their threads get one more turn to finish.
    if (QCoreApplication::instance() != nullptr) {
        QApplication::closeAllWindows();
        threads::runReadyThreads();
    }
}

int runProgram(int argc, char** argv, const std::function<void()>& mainProcedure)
{
    // Before Qt takes the options it knows out of argv: the program's
    // command line is what it was started with.
    core::setCommandLine(argc, argv);
    startWindowSystem(argc, argv);
    core::runModuleStart();
    mainProcedure();
    closeAllWindows();
    core::runModuleEnd();
    return 0;
}

} // namespace fw::ui
