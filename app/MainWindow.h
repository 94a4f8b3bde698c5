// The main window: the file list, the printer and page options, the status
// bars, and the commands that fill the list and print it.
#pragma once

#include "app/AboutDialog.h"
#include "app/HintTracker.h"
#include "app/InfoLabel.h"
#include "app/ScaledLayout.h"
#include "app/WindowSettings.h"
#include "engine/ListingOptions.h"
#include "engine/PageGeometry.h"
#include "platform/Clock.h"
#include "platform/LocaleNames.h"
#include "printer/PrinterList.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QProgressBar;
class QRadioButton;
class QSpinBox;
class QScrollArea;
class QSplitter;
class QStatusBar;
class QToolBar;
class QToolButton;
class QUrl;
class QDialog;

namespace zl {

class BarHeightSpinBox;
class FileDropTarget;
class PrinterComboBox;
class FileListBox;
class PrintRunControl;
class PreviewWindow;

// What the window works with; the program passes the process-wide ones,
// tests their own.
struct MainWindowServices {
    PrintService* spooler = nullptr; // where the listings go
    PrinterList* printer = nullptr;
    const Clock* clock = nullptr;
    LocaleNames names;
    std::string executablePath; // for the build stamp and version information
    // A plain message (OK only, no icon) and an error box.
    std::function<void(const QString& text)> showMessage;
    std::function<void(const QString& text)> showError;
    // A failure in plain words, with its technical text as the details.
    std::function<void(const QString& text, const QString& details)> showFailure;
    // A question answered Yes (true) or No.
    std::function<bool(const QString& question)> askYesNo;
    // The names picked in the open dialog, empty when it was cancelled.
    std::function<QStringList(QFileDialog& dialog)> runOpenDialog;
    // What the information labels show (the comments come from the window).
    InfoSource info;
    // Opens a link of the About box; shows the About box.
    std::function<bool(const QUrl& url)> openUrl;
    std::function<void(QDialog& box)> runDialog;
    // Shows the preview of a listing (modal); its dialogs run through it.
    std::function<void(PreviewWindow& preview)> runPreview;
    // Where the window's settings are kept between runs; none: not kept.
    OpenSettings openSettings;
};

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    static constexpr const char* kCaption = "ZelList GUI / 2003";

    explicit MainWindow(MainWindowServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The page settings from the option controls.
    void PageSettings();
    // Prints the ticked files in the background; PrintRunFinished follows.
    void PrintTickedFiles();
    // True from Print until the run has ended.
    bool Printing() const;
    // Shows the listing of the highlighted file (else the first ticked one)
    // in the preview window, as it will print, once its first page is
    // composed; meanwhile the status bar shows it is under way and Cancel
    // (Escape) stops it.
    void PreviewListing();
    // True from Preview until the preview has closed.
    bool Previewing() const { return preview_ != nullptr; }
    void OpenFiles();
    // Adds the names picked in the open dialog, each once, ticked.
    void AddFiles(const QStringList& names);
    // True when `name` is in the list.
    bool Listed(const QString& name) const;
    void DeleteEntry();
    void ClearList();
    void ShowAbout();
    void PrintBarsToggled();
    void SetUpWindow();
    void ActivateWindow();
    void ShowLongHint(const QString& longHint);
    void InfoLabelClicked();
    void ShowAboutHelp(QWidget* box);
    void PrinterChanged();
    // Selects the installed printer of that name; when it is not installed,
    // the current printer (the default at first) stays and the status bar
    // says so.
    void ChoosePrinter(const std::string& name);
    // Shows `text` in the status bar for a while.
    void ShowStatus(const QString& text);
    // Shows `text` in the status bar's run label: in red while something is
    // under way or has failed (`alarming`), else in the window's own text
    // colour.
    void ShowRunStatus(const QString& text, bool alarming);
    static constexpr int kStatusMessageMs = 15000;
    void FilesDropped(FileDropTarget* sender, int fcount, int x, int y,
                      const QStringList& fileList);
    // Sets up the open dialog as the Open command shows it.
    static void ConfigureOpenDialog(QFileDialog& dialog);

    const PageGeometry& Geometry() const { return geometry_; }
    // The page options as the controls hold them now; tab stops every 8
    // columns and UTF-8 text, the options' defaults.
    ListingOptions Options() const;
    std::int32_t SelectedPrinterIndex() const { return selectedPrinterIndex_; }
    const QString& BuildStamp() const { return buildStamp_; }
    HintTracker& Hints() { return hints_; }
    AboutDialog aboutDialog;

    // The controls, under their own names.
    QToolBar* toolBar = nullptr;
    QAction *openAction = nullptr, *deleteEntryAction = nullptr, *clearListAction = nullptr,
            *printAction = nullptr, *previewAction = nullptr, *aboutAction = nullptr,
            *exitAction = nullptr;
    QWidget* fileListPanel = nullptr;
    FileListBox* fileList = nullptr;
    FileDropTarget* fileDropTarget = nullptr;
    QSplitter* optionsSplitter = nullptr;
    QScrollArea* optionsScroll = nullptr; // holds the options panel
    QWidget* optionsPanel = nullptr;
    PrinterComboBox* printerComboBox = nullptr;
    QLabel *linesHighLabel = nullptr, *pclWarningLabel = nullptr,
           *linePrinterWarningLabel = nullptr;
    QGroupBox *fontStyleGroup = nullptr, *fontSizeGroup = nullptr, *linesPerInchGroup = nullptr,
              *charsetGroup = nullptr;
    QRadioButton *courierRadio = nullptr, *linePrinterRadio = nullptr, *sixLpiRadio = nullptr,
                 *eightLpiRadio = nullptr, *ibmCharsetRadio = nullptr,
                 *roman8CharsetRadio = nullptr;
    QCheckBox *compressedCheck = nullptr, *landscapeCheck = nullptr, *printBarsCheck = nullptr,
              *headersCheck = nullptr, *lineNumbersCheck = nullptr, *emphasisCheck = nullptr;
    BarHeightSpinBox* barHeightSpin = nullptr;
    // What the listing asks of the printer.
    QLabel *copiesLabel = nullptr, *twoSidedLabel = nullptr, *paperLabel = nullptr,
           *trayLabel = nullptr;
    QSpinBox* copiesSpin = nullptr;
    QComboBox *twoSidedCombo = nullptr, *paperCombo = nullptr, *trayCombo = nullptr;
    QStatusBar* infoStatusBar = nullptr;
    QLabel *printerInfoLabel = nullptr, *printingLabel = nullptr;
    QStatusBar* hintStatusBar = nullptr;
    QLabel* hintLabel = nullptr;
    InfoLabel *variableInfoLabel = nullptr, *dateTimeLabel = nullptr;
    QProgressBar* printProgress = nullptr;    // shown while printing
    QToolButton* cancelPrintButton = nullptr; // shown while printing; Escape presses it

signals:
    // A run started by Print has ended, whatever its end.
    void PrintRunFinished();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateActions();
    void CreateOptions();
    void CreateStatusBars();
    void LoadPrinterDefinition();
    // Places the options and sizes the bars for the window's font.
    void FitToFont();
    // Places the options for the fonts and the lists' items they have now;
    // the size they take.
    QSize LayOutOptions();
    void Guarded(const std::function<void()>& action);
    void ShowPrinterGone(const std::string& name);
    // The preview's first page came, or the listing failed: the preview
    // opens, or the failure is shown.
    void PreviewReady();
    void OpenPreview();
    void EndPreview(const QString& status);

    MainWindowServices services_;
    HintTracker hints_;
    ScaledLayout optionsLayout_;
    PageGeometry geometry_;
    std::int32_t selectedPrinterIndex_ = 0;
    QString buildStamp_;
    std::string lastActivationError_;
    bool shown_ = false;
    bool printerChosen_ = false; // the default was selected at the first show
    std::unique_ptr<PrintRunControl> printRun_;
    // The preview being prepared or shown, and the moment its headers show.
    std::unique_ptr<PreviewWindow> preview_;
    std::unique_ptr<FixedClock> previewClock_;
    ListingOptions previewOptions_;
    bool previewOpening_ = false;
    std::unique_ptr<WindowSettings> settings_;
};

// The services of the running program: the process-wide spooler and printer
// list, the system clock and locale, message boxes and the file dialog.
MainWindowServices ProgramServices(const std::string& executablePath);

} // namespace zl
