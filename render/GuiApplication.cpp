#include "render/GuiApplication.h"

#include "platform/Exception.h"

#include <QGuiApplication>

#include <cstdlib>

namespace zl::render {

namespace {

// Qt's notes on how it started (such as a missing runtime folder) are no
// business of the program's user; its critical and fatal messages still show.
QtMessageHandler qtHandler = nullptr;

void DropQtNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if ((type == QtCriticalMsg || type == QtFatalMsg) && qtHandler)
        qtHandler(type, context, message);
}

} // namespace

void RequireGuiApplication() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    if (QCoreApplication::instance())
        throw Exception("cannot draw a listing: the program runs no GUI application");
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!platform || !*platform)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "zellist";
    static char* argv[] = {name, nullptr};
    qtHandler = qInstallMessageHandler(DropQtNotes);
    // Destroyed when the program ends, giving back what its fonts took.
    static QGuiApplication application(argc, argv);
}

} // namespace zl::render
