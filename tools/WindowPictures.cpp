// Draws pictures of the window for the documentation, without a display:
//   zl_window_pictures DIR
// writes DIR/window.png, DIR/status-after-clicks.png, DIR/about.png and
// DIR/preview.png, the Preview of a small source file of the program (run
// from the repository's root, as tools/pictures does).
#include "app/AppIcon.h"
#include "app/FileListBox.h"
#include "app/InfoLabel.h"
#include "app/MainWindow.h"
#include "app/PreviewPagesView.h"
#include "app/PreviewWindow.h"
#include "tools/OffscreenTool.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QStatusBar>

#include <memory>

int main(int argc, char** argv) {
    if (!zl::tools::StartOffscreenTool(argc, argv, 1, "DIR"))
        return 2;
    QApplication app(argc, argv);
    QApplication::setApplicationName("ZelList GUI");
    QApplication::setWindowIcon(zl::AppIcon());
    const QDir dir(argv[1]);
    zl::MainWindowServices services = zl::ProgramServices(
        QCoreApplication::applicationDirPath().toStdString() + "/../app/zellist-gui");
    // The pictures show the defaults, not the settings of whoever draws them.
    services.openSettings = nullptr;
    // Preview's dialog as it opens, with the first page whole.
    services.runPreview = [&dir](zl::PreviewWindow& preview) {
        preview.resize(720, 900);
        preview.show();
        preview.pages->SetFit(zl::PreviewPagesView::Fit::Page);
        while (!preview.Loader().CountComplete())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        QCoreApplication::processEvents();
        preview.grab().save(dir.filePath("preview.png"));
    };
    zl::MainWindow window(services);
    window.show();
    window.ActivateWindow();
    window.AddFiles({"/home/quendle/src/listing/main.c", "/home/quendle/src/listing/util.h",
                     "/etc/zellist/printers.conf"});
    window.grab().save(dir.filePath("window.png"));

    for (int i = 0; i < 4; ++i)
        window.InfoLabelClicked();
    window.statusBar()->grab().save(dir.filePath("status-after-clicks.png"));

    std::unique_ptr<QDialog> about = window.aboutDialog.Build(&window);
    about->show();
    about->grab().save(dir.filePath("about.png"));

    window.AddFiles({QFileInfo("engine/PageGeometry.cpp").absoluteFilePath()});
    window.fileList->SetItemIndex(window.fileList->Count() - 1);
    window.PreviewListing();
    while (window.Previewing())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return 0;
}
