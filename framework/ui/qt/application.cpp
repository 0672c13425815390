#include "framework/ui/qt/application.h"

#include <QApplication>
#include <QEventLoop>
#include <QFont>

#include "framework/threads/scheduler.h"

#if defined(__SANITIZE_ADDRESS__)
// fontconfig keeps its configuration and caches until the process ends and
// never frees them; LeakSanitizer would count that as a leak in every
// program that shows text. Nothing of ours is suppressed.
extern "C" __attribute__((used)) const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
#endif

namespace fw::ui {

namespace {

// Fonts the layouts name that this platform lacks, with the nearest face in
// width and height, so that dialog units keep their proportions.
struct FontSubstitute {
    const char* name;
    const char* substitute;
};
constexpr FontSubstitute fontSubstitutes[] = {
    {"MS Sans Serif", "Liberation Sans"},
    {"MS Shell Dlg", "Liberation Sans"},
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
};

void pump(threads::Block block)
{
    QCoreApplication::processEvents(block == threads::Block::Yes ? QEventLoop::WaitForMoreEvents
                                                                  : QEventLoop::AllEvents);
    // Widgets deleted with deleteLater() go when their loop level ends; the
    // scheduler's loop is no QEventLoop, so they are released here.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Without a screen, standard error is where the program's messages go for
// whoever reads them (a log, a calling script). The platform's own chatter
// (features the offscreen platform lacks, missing desktop settings) would be
// mixed into them, so only Qt's critical and fatal messages pass.
QtMessageHandler previousHandler = nullptr;

void offscreenMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        previousHandler(type, context, message);
}

bool goesOffscreen()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    return platform.startsWith("offscreen") || platform.startsWith("minimal");
}

} // namespace

void startWindowSystem(int argc, char** argv)
{
    if (QCoreApplication::instance() == nullptr) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (goesOffscreen())
            previousHandler = qInstallMessageHandler(&offscreenMessages);
        // QApplication keeps a reference to argc and the argv array for its
        // whole life, so both live in static storage. The application itself
        // is never deleted: windows of threads that never ended may still
        // refer to it while the process exits.
        static int storedArgc = 1;
        static char programName[] = "reportmail";
        static char* fallbackArgv[] = {programName, nullptr};
        char** args = fallbackArgv;
        if (argc > 0 && argv != nullptr) {
            storedArgc = argc;
            args = argv;
        }
        new QApplication(storedArgc, args);
        for (const FontSubstitute& entry : fontSubstitutes)
            QFont::insertSubstitution(QString::fromLatin1(entry.name), QString::fromLatin1(entry.substitute));
    }
    threads::setEventPump(&pump);
}

} // namespace fw::ui
