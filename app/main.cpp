// zellist-gui: the ZelList window.
#include "app/AppIcon.h"
#include "app/FileDropTarget.h"
#include "app/GuiArguments.h"
#include "app/MainWindow.h"
#include "platform/Interruption.h"
#include "platform/StandardDescriptors.h"
#include "platform/SystemText.h"
#include "printing/SystemPrintService.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

bool HaveDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

// Answers --help and --version, and with `refuse` an unknown option; the
// exit status, or -1 when the window is to open.
int Answered(const zl::GuiArguments& asked, bool refuse) {
    switch (asked.action) {
    case zl::GuiArguments::Action::Help:
        std::fputs(zl::GuiUsage().toUtf8().constData(), stdout);
        return 0;
    case zl::GuiArguments::Action::Version:
        std::puts("zellist-gui " ZELLIST_VERSION);
        return 0;
    case zl::GuiArguments::Action::Refused:
        if (!refuse)
            return -1;
        std::fprintf(stderr, "zellist-gui: %s\nTry 'zellist-gui --help' for more.\n",
                     asked.refusal.toUtf8().constData());
        return 2;
    case zl::GuiArguments::Action::OpenWindow:
        break;
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    zl::ReserveStandardDescriptors(); // no window's file or socket takes their numbers
    // --help and --version need no display: answered before the window's
    // checks. Options are refused only once Qt has taken its own (-style).
    QStringList given;
    for (const std::string& argument : zl::Utf8Arguments(argc, argv))
        given << QString::fromStdString(argument);
    if (const int status = Answered(zl::ReadGuiArguments(given.mid(1)), false); status >= 0)
        return status;
#ifndef _WIN32
    if (!HaveDisplay()) {
        std::fprintf(stderr, "zellist-gui: no display to show the window on; "
                             "print from the command line with zellist (zellist --help).\n");
        return 1;
    }
#endif
    QApplication app(argc, argv);
    const zl::GuiArguments asked = zl::ReadGuiArguments(QCoreApplication::arguments().mid(1));
    if (const int status = Answered(asked, true); status >= 0)
        return status;
    QApplication::setApplicationName("ZelList GUI");
    // Where the window's settings are kept: the platform's place for them.
    QApplication::setOrganizationName("ZelList");
    QApplication::setWindowIcon(zl::AppIcon());
    // The desktop entry's name, so the desktop shows its icon for the window.
    QGuiApplication::setDesktopFileName("org.zellist.ZelList");
    // The window waits for the print server only briefly: a server that does
    // not answer is then watched in the background, and the window goes on.
    zl::ProcessPrintService().SetLookupTimeLimit(std::chrono::milliseconds(1500));
    // SIGINT, SIGTERM and SIGHUP end the program cleanly: a listing being
    // printed is cancelled (its job raises at the next write), then the
    // program exits with 128 + the signal's number.
    zl::CatchStopSignals();
    QTimer stopWatch;
    QObject::connect(&stopWatch, &QTimer::timeout, [] {
        if (const int signal = zl::StopSignal())
            QCoreApplication::exit(128 + signal);
    });
    stopWatch.start(200);
    zl::MainWindowServices services =
        zl::ProgramServices(QCoreApplication::applicationFilePath().toStdString());
    if (asked.resetSettings)
        zl::ResetSettings(services.openSettings);
    zl::MainWindow window(std::move(services));
    // Files named on the command line arrive as if dropped on the list.
    window.fileDropTarget->DeliverGivenNames(asked.files);
    window.show();
    window.activateWindow(); // also where no window manager does it
    return app.exec();
}
