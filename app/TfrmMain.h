// The main window: the file list, the printer and page options, the status
// bars, and the commands that fill the list and print it.
#pragma once

#include "app/HintTracker.h"
#include "app/TLMDInfoLabel.h"
#include "app/TdlgAbout.h"
#include "engine/ListingComposer.h"
#include "engine/ListingOptions.h"
#include "engine/PageGeometry.h"
#include "platform/Clock.h"
#include "platform/LocaleNames.h"
#include "printer/TPrinter.h"
#include "printer/UPrnRaw.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <string>

class QAction;
class QCheckBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QRadioButton;
class QSplitter;
class QStatusBar;
class QToolBar;
class QUrl;
class QDialog;

namespace zl {

class BarHeightSpinBox;
class TLMDFMDrop;
class TPrinterDefinition;
class TProCheckListBox;

// What the window works with; the program passes the process-wide ones,
// tests their own.
struct MainWindowServices {
    Spooler* spooler = nullptr; // where the listings go
    TPrinter* printer = nullptr;
    const Clock* clock = nullptr;
    LocaleNames names;
    std::string executablePath; // for the build stamp and version information
    // A plain message (OK only, no icon) and an error box.
    std::function<void(const QString& text)> showMessage;
    std::function<void(const QString& text)> showError;
    // The names picked in the open dialog, empty when it was cancelled.
    std::function<QStringList(QFileDialog& dialog)> runOpenDialog;
    // What the information labels show (the comments come from the window).
    InfoSource info;
    // Opens a link of the About box; shows the About box.
    std::function<bool(const QUrl& url)> openUrl;
    std::function<void(QDialog& box)> runDialog;
};

class TfrmMain : public QMainWindow, private ListingOptions {
    Q_OBJECT

public:
    static constexpr const char* kCaption = "ZelList GUI / 2003";

    explicit TfrmMain(MainWindowServices services, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The page settings from the option controls.
    void PageSettings();
    // Prints the ticked files.
    void actPrintExecute();
    void actOpenExecute();
    // Adds the names picked in the open dialog.
    void actOpenAccept(const QStringList& names);
    void actDelEntryExecute();
    void actClearListExecute();
    void actAboutExecute();
    void ckPrintBarsClick();
    void FormCreate();
    void FormActivate();
    void ShowLongHint(const QString& longHint);
    void statMainVariableClick();
    void dlgAboutCustomClick(QWidget* box);
    void PrinterDefinitionPrinterChange();
    void LMDFMDropFMDragDrop(TLMDFMDrop* sender, int fcount, int x, int y,
                             const QStringList& fileList);
    // Sets up the open dialog as the Open command shows it.
    static void ConfigureOpenDialog(QFileDialog& dialog);

    const PageGeometry& Geometry() const { return geometry_; }
    std::int32_t SelectedPrinterIndex() const { return selectedPrinterIndex_; }
    const QString& BuildStamp() const { return buildStamp_; }
    HintTracker& Hints() { return hints_; }
    TdlgAbout dlgAbout;

    // The controls, under their own names.
    QToolBar* ActionToolBar1 = nullptr;
    QAction *actOpen = nullptr, *actDelEntry = nullptr, *actClearList = nullptr,
            *actPrint = nullptr, *actAbout = nullptr, *actExit = nullptr;
    QWidget* pnlTopLeft = nullptr;
    TProCheckListBox* listFiles = nullptr;
    TLMDFMDrop* LMDFMDrop = nullptr;
    QSplitter* SplitterBottom = nullptr;
    QWidget* pnlBottom = nullptr;
    TPrinterDefinition* PrinterDefinition = nullptr;
    QLabel *RxLabel1 = nullptr, *RxLabel2 = nullptr, *RxLabel3 = nullptr;
    QGroupBox *GroupBox1 = nullptr, *GroupBox2 = nullptr, *GroupBox3 = nullptr,
              *GroupBox4 = nullptr;
    QRadioButton *ckCourier = nullptr, *ckLinePrinter = nullptr, *ck6lpi = nullptr,
                 *ck8lpi = nullptr, *ckibm = nullptr, *cknoibm = nullptr;
    QCheckBox *ckCompressed = nullptr, *ckLandscape = nullptr, *ckPrintBars = nullptr,
              *ckHeaders = nullptr, *ckLineNumbers = nullptr;
    BarHeightSpinBox* spinBarHeight = nullptr;
    QStatusBar* statMainInfo = nullptr;
    QLabel *statMainInfoMessage = nullptr, *statMainInfoMessage2 = nullptr;
    QStatusBar* statMain = nullptr;
    QLabel* statMainHint = nullptr;
    TLMDInfoLabel *statMainVariable = nullptr, *statMainDateTime = nullptr;

protected:
    bool event(QEvent* event) override;

private:
    // What the listing reads from the options, each time it asks.
    bool Landscape() const override;
    bool LinePrinter() const override;
    bool NoIbm() const override;
    bool Compressed() const override;
    int BarHeight() const override;
    // Tab stops every 8 columns and UTF-8 text: the options' defaults.
    bool PrintBars() const override;

    void CreateActions();
    void CreateOptions();
    void CreateStatusBars();
    void LoadPrinterDefinition();
    void Guarded(const std::function<void()>& action);

    MainWindowServices services_;
    HintTracker hints_;
    PageGeometry geometry_;
    std::int32_t selectedPrinterIndex_ = 0;
    QString buildStamp_;
    std::string lastActivationError_;
    std::unique_ptr<RawPrintJob> job_;
    std::unique_ptr<ListingComposer> composer_;
};

// The services of the running program: the process-wide spooler and printer
// list, the system clock and locale, message boxes and the file dialog.
MainWindowServices ProgramServices(const std::string& executablePath);

} // namespace zl
