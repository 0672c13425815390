#include "framework/ui/qt/application.h"

#include <QApplication>
#include <QEventLoop>
#include <QFont>
#include <QStringList>

#include "framework/threads/scheduler.h"
#include "framework/ui/font_substitutes.h"

#if defined(__SANITIZE_ADDRESS__)
// fontconfig keeps its configuration and caches until the process ends and
// never frees them; LeakSanitizer would count that as a leak in every
// program that shows text. Nothing of ours is suppressed.
extern "C" __attribute__((used)) const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif

namespace fw::ui {

namespace {

QString toQString(std::string_view text) { return QString::fromLatin1(text.data(), qsizetype(text.size())); }

// Qt's font matching draws a named face that is not installed with the
// first of its substitutes that is. The substitutions are the process's
// own, so every window, preview and printed page of the program gets them.
void installFontSubstitutes()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    for (const FontSubstitute& entry : FontSubstitutes) {
        QStringList substitutes;
        for (std::string_view name : entry.substitutes)
            if (!name.empty())
                substitutes << toQString(name);
        QFont::insertSubstitutions(toQString(entry.face), substitutes);
    }
}

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
    }
    // Also when the program made its application itself.
    installFontSubstitutes();
    threads::setEventPump(&pump);
}

} // namespace fw::ui
