// The window's side of a print run: starts the run in the background with
// copies of the list and the options, keeps the controls that would change
// it disabled meanwhile, shows which file prints and how far it is in the
// status bar with a Cancel button (and Escape), and says at the end what was
// printed, or shows the failure that stopped the run. Closing the window
// during a run asks first, then cancels the run and waits for it.
#pragma once

#include "app/BackgroundPrintRun.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <utility>
#include <vector>

class QAction;
class QWidget;

namespace zl {

class MainWindow;
struct MainWindowServices;

class PrintRunControl : public QObject {
    Q_OBJECT

public:
    static constexpr const char* kExitQuestion =
        "Printing is not finished yet. Cancel it and exit?";

    // Puts the progress bar and the Cancel button into the window's info
    // status bar. `window` and `services` must outlive this object.
    PrintRunControl(MainWindow& window, const MainWindowServices& services);
    // Cancels a run still going and waits for it.
    ~PrintRunControl() override;

    bool Running() const { return run_ != nullptr; }
    // Prints the ticked files of the window's list on entry `printerIndex`
    // of the printer list, with `options`.
    void Start(const ListingOptions& options, std::int32_t printerIndex);
    // Prints file `path` alone, as Start prints each ticked file.
    void StartFile(const std::string& path, const ListingOptions& options,
                   std::int32_t printerIndex);
    void Cancel();

signals:
    // A run has ended and the window is as before it, whatever the end.
    void Finished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Run(PrintRunOrder order);
    void DisableControls();
    void RestoreControls();
    void ShowProgress();
    // Takes the ended run's outcome to the window.
    void End();

    MainWindow& window_;
    const MainWindowServices& services_;
    std::unique_ptr<BackgroundPrintRun> run_;
    QTimer progressTimer_;
    std::vector<std::pair<QPointer<QWidget>, bool>> widgetsEnabled_;
    std::vector<std::pair<QPointer<QAction>, bool>> actionsEnabled_;
};

} // namespace zl
