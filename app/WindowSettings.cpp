#include "app/WindowSettings.h"

#include "app/BarHeightSpinBox.h"
#include "app/MainWindow.h"
#include "app/PrinterComboBox.h"
#include "app/PrinterRequestControls.h"
#include "app/WindowPlacement.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QRadioButton>
#include <QSettings>

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace zl {

namespace {

const QString kBarHeightKey = "page/barHeight";
const QString kPrinterKey = "printer/name";
const QString kGeometryKey = "window/geometry";
const QString kOpenFolderKey = "openDialog/folder";
const QString kOpenFilterKey = "openDialog/filter";

// A tick box and its key.
struct Tick {
    const char* key;
    QCheckBox* box;
};

// A pair of radio buttons and its key, each button with its stored name.
struct Choice {
    const char* key;
    std::array<std::pair<const char*, QRadioButton*>, 2> options;
};

// In the order they are set back: "Compressed" before the face, which needs
// it for the Line Printer face.
std::array<Tick, 4> Ticks(const MainWindow& w) {
    return {{{"page/compressed", w.compressedCheck},
             {"page/landscape", w.landscapeCheck},
             {"page/printBars", w.printBarsCheck},
             {"page/emphasis", w.emphasisCheck}}};
}

std::array<Choice, 3> Choices(const MainWindow& w) {
    return {{{"page/font", {{{"courier", w.courierRadio}, {"lineprinter", w.linePrinterRadio}}}},
             {"page/linesPerInch", {{{"6", w.sixLpiRadio}, {"8", w.eightLpiRadio}}}},
             {"page/charset", {{{"ibm", w.ibmCharsetRadio}, {"roman8", w.roman8CharsetRadio}}}}}};
}

std::optional<bool> StoredBool(const QSettings& stored, const QString& key) {
    const QString text = stored.value(key).toString();
    if (text == "true")
        return true;
    if (text == "false")
        return false;
    return std::nullopt;
}

std::optional<int> StoredNumber(const QSettings& stored, const QString& key, int lowest,
                                int highest) {
    bool number = false;
    const int value = stored.value(key).toString().toInt(&number);
    if (!number || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

} // namespace

WindowSettings::WindowSettings(MainWindow& window, OpenSettings open)
    : window_(window), open_(std::move(open)) {}

void WindowSettings::Restore() {
    const std::unique_ptr<QSettings> stored = open_ ? open_() : nullptr;
    if (!stored) {
        PlaceOnScreen(window_);
        return;
    }
    RestoreOptions(*stored);
    RestoreGeometry(*stored);
    printerName_ = stored->value(kPrinterKey).toString().toStdString();
    openFolder_ = stored->value(kOpenFolderKey).toString();
    openFilter_ = stored->value(kOpenFilterKey).toString();
}

void WindowSettings::RestoreOptions(const QSettings& stored) {
    for (const Tick& tick : Ticks(window_)) {
        if (const std::optional<bool> ticked = StoredBool(stored, tick.key))
            tick.box->setChecked(*ticked);
    }
    for (const Choice& choice : Choices(window_)) {
        const QString name = stored.value(choice.key).toString();
        for (const auto& [optionName, radio] : choice.options) {
            if (name == optionName)
                radio->setChecked(true);
        }
    }
    if (const std::optional<int> height = StoredNumber(
            stored, kBarHeightKey, BarHeightSpinBox::kMinimum, BarHeightSpinBox::kMaximum))
        window_.barHeightSpin->SetValue(*height);
    RestoreRequestControls(window_, stored);
}

void WindowSettings::RestoreGeometry(const QSettings& stored) {
    const QSize designed = window_.size();
    const QByteArray geometry = stored.value(kGeometryKey).toByteArray();
    if (!geometry.isEmpty() && window_.restoreGeometry(geometry) && OnAvailableScreen(window_))
        return;
    window_.setWindowState(Qt::WindowNoState);
    window_.resize(designed);
    PlaceOnScreen(window_);
}

void WindowSettings::RestorePrinter() {
    if (!printerName_.empty())
        window_.ChoosePrinter(printerName_);
}

void WindowSettings::Save() const {
    const std::unique_ptr<QSettings> stored = open_ ? open_() : nullptr;
    if (!stored)
        return;
    for (const Tick& tick : Ticks(window_))
        stored->setValue(tick.key, tick.box->isChecked());
    for (const Choice& choice : Choices(window_)) {
        for (const auto& [optionName, radio] : choice.options) {
            if (radio->isChecked())
                stored->setValue(choice.key, optionName);
        }
    }
    // A height typed but not yet confirmed is stored as the box will take it.
    stored->setValue(kBarHeightKey,
                     std::clamp(window_.barHeightSpin->Value(), BarHeightSpinBox::kMinimum,
                                BarHeightSpinBox::kMaximum));
    SaveRequestControls(window_, *stored);
    try {
        stored->setValue(kPrinterKey,
                         QString::fromStdString(window_.printerComboBox->Selector().PrinterName()));
    } catch (const std::exception&) {
        // No printer is current: the stored one stays.
    }
    stored->setValue(kGeometryKey, window_.saveGeometry());
    if (!openFolder_.isEmpty())
        stored->setValue(kOpenFolderKey, openFolder_);
    if (!openFilter_.isEmpty())
        stored->setValue(kOpenFilterKey, openFilter_);
}

QString WindowSettings::OpenFolder() const {
    if (!openFolder_.isEmpty() && QFileInfo(openFolder_).isDir())
        return openFolder_;
    return QDir::currentPath();
}

void ResetSettings(const OpenSettings& open) {
    if (!open)
        return;
    if (const std::unique_ptr<QSettings> stored = open())
        stored->clear();
}

} // namespace zl
