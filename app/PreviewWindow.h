// The preview of one listing: its pages as they will print, drawn as they
// come into view while the page count grows in the background, with "N of
// M" and a box to type a page, Page Up/Down, Home/End, zoom (also Ctrl+wheel
// and +/-), fit width or page, one or two pages side by side. From it the
// listing prints raw on the window's printer (Print: closes the preview and
// runs as the window's Print does), through the system's printer driver,
// or is saved as a PDF, each for all pages, the current one or a range.
// Closing it stops every drawing and saving at once.
#pragma once

#include "app/BackgroundTask.h"
#include "app/PreviewPageLoader.h"
#include "engine/PageSelection.h"
#include "render/ListingPainter.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QToolBar;
class QToolButton;

namespace zl {

class PreviewPagesView;

// What the preview is of and what it prints on.
struct PreviewSetup {
    render::ListingSource source; // its clock stands still for the preview
    QString fileName;             // for titles and messages
    QString driverPrinter;        // the window's printer where the driver knows it, else ""
};

class PreviewWindow : public QDialog {
    Q_OBJECT

public:
    explicit PreviewWindow(PreviewSetup setup, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    // The pages the user asked to print raw when the preview closed by
    // Print; none otherwise.
    const std::optional<PageSelection>& PrintRequest() const { return printRequest_; }

    // Runs the preview's own dialogs (the pages to print, Save as, the print
    // dialog); returns QDialog::Accepted or Rejected.
    std::function<int(QDialog& dialog)> runDialog = [](QDialog& dialog) { return dialog.exec(); };

    PreviewPageLoader& Loader() { return *loader_; }
    const render::ListingSource& Source() const { return setup_.source; }
    PreviewPagesView* pages = nullptr;
    QToolBar* toolBar = nullptr;
    QLineEdit* pageBox = nullptr;
    QLabel *pageCountLabel = nullptr, *statusLabel = nullptr;
    QToolButton* cancelTaskButton = nullptr;
    QAction *firstAction = nullptr, *previousAction = nullptr, *nextAction = nullptr,
            *lastAction = nullptr, *zoomInAction = nullptr, *zoomOutAction = nullptr,
            *fitWidthAction = nullptr, *fitPageAction = nullptr, *twoPagesAction = nullptr,
            *printAction = nullptr, *driverPrintAction = nullptr, *savePdfAction = nullptr;

protected:
    void reject() override;

private:
    void CreateActions();
    void ShowCount();
    void ShowCurrentPage();
    void PageTyped();
    // The pages to print or save, asked in a dialog titled `title`.
    std::optional<PageSelection> ChoosePages(const QString& title);
    void Print();
    void PrintThroughDriver();
    void SaveAsPdf();
    // Runs `work` in the background with `status` and Cancel shown; `done`
    // runs after it ended well, else the failure is said after `cannot`
    // ("Cannot save a.pdf").
    void RunTask(const QString& status, const QString& cannot, BackgroundTask::Work work,
                 std::function<void()> done);
    void TaskEnded();

    PreviewSetup setup_;
    QHBoxLayout* commands_ = nullptr; // the status line and the commands beside it
    std::unique_ptr<PreviewPageLoader> loader_;
    std::unique_ptr<BackgroundTask> task_;
    std::function<void()> taskDone_;
    QString taskCannot_;
    std::optional<PageSelection> printRequest_;
};

} // namespace zl
