// zellist-gui: the ZelList window.
#include "app/AppIcon.h"
#include "app/FileDropTarget.h"
#include "app/MainWindow.h"
#include "platform/Interruption.h"
#include "platform/StandardDescriptors.h"
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

} // namespace

int main(int argc, char** argv) {
    zl::ReserveStandardDescriptors(); // no window's file or socket takes their numbers
#ifndef _WIN32
    if (!HaveDisplay()) {
        std::fprintf(stderr, "zellist-gui: no display to show the window on; "
                             "print from the command line with zellist (zellist --help).\n");
        return 1;
    }
#endif
    QApplication app(argc, argv);
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
    // --reset-settings starts the window from its defaults.
    const QStringList names =
        zl::TakeResetSettings(QCoreApplication::arguments().mid(1), services.openSettings);
    zl::MainWindow window(std::move(services));
    // Files named on the command line arrive as if dropped on the list.
    window.fileDropTarget->DeliverGivenNames(names);
    window.show();
    window.activateWindow(); // also where no window manager does it
    return app.exec();
}
