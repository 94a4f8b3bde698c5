#include "app/PrinterRequestControls.h"

#include "app/HintTracker.h"
#include "app/MainWindow.h"
#include "app/ScaledLayout.h"
#include "printer/PrinterList.h"

#include <QComboBox>
#include <QLabel>
#include <QSettings>
#include <QSignalBlocker>
#include <QSpinBox>

#include <utility>
#include <vector>

namespace zl {

namespace {

constexpr int kMostCopies = 999;
const QString kPrinterDefault = QStringLiteral("Printer default");
// The Paper or Tray choice to come back to whenever the printer offers it;
// empty for "Printer default".
const char* const kWantedProperty = "zlWanted";

const QString kCopiesKey = QStringLiteral("page/copies");
const QString kTwoSidedKey = QStringLiteral("page/twoSided");
const QString kPaperKey = QStringLiteral("page/paper");
const QString kTrayKey = QStringLiteral("page/tray");

// Two-sided's items as shown and as stored, and what each asks; "None"
// asks nothing, so that the printer prints as it is set up to.
struct SidesItem {
    const char* text;
    const char* stored;
    Sides sides;
};
constexpr SidesItem kSidesItems[] = {{"None", "none", Sides::PrinterDefault},
                                     {"Long edge", "long", Sides::LongEdge},
                                     {"Short edge", "short", Sides::ShortEdge}};

// A control and its caption: the members that hold them, their object
// names, the caption's text, their design rectangles and their hint.
template <typename Control> struct Captioned {
    QLabel* MainWindow::*label;
    const char* labelName;
    const char* caption;
    QRect labelRect;
    Control* MainWindow::*control;
    const char* controlName;
    QRect controlRect;
    const char* hint;
};

const Captioned<QSpinBox> kCopies = {&MainWindow::copiesLabel,
                                     "copiesLabel",
                                     "Copi&es",
                                     QRect(16, 150, 33, 13),
                                     &MainWindow::copiesSpin,
                                     "copiesSpin",
                                     QRect(52, 146, 49, 21),
                                     "Copies|Number of copies of each listing"};

const Captioned<QComboBox> kCombos[] = {
    {&MainWindow::twoSidedLabel, "twoSidedLabel", "T&wo-sided", QRect(112, 150, 49, 13),
     &MainWindow::twoSidedCombo, "twoSidedCombo", QRect(164, 146, 73, 21),
     "Two-sided|Print on both sides of the paper"},
    {&MainWindow::paperLabel, "paperLabel", "Pape&r", QRect(248, 150, 28, 13),
     &MainWindow::paperCombo, "paperCombo", QRect(280, 146, 113, 21),
     "Paper|Paper size the printer is asked for"},
    {&MainWindow::trayLabel, "trayLabel", "&Tray", QRect(404, 150, 22, 13), &MainWindow::trayCombo,
     "trayCombo", QRect(428, 146, 113, 21), "Tray|Paper tray the printer takes the paper from"},
};

// Makes the caption and the control of `item`, placed, with their hint,
// into their members.
template <typename Control>
Control* AddCaptioned(const Captioned<Control>& item, MainWindow& window, ScaledLayout& layout) {
    auto* label = new QLabel(item.caption, window.optionsPanel);
    label->setObjectName(item.labelName);
    auto* control = new Control(window.optionsPanel);
    control->setObjectName(item.controlName);
    label->setBuddy(control);
    layout.Place(label, item.labelRect);
    layout.Place(control, item.controlRect);
    HintTracker::SetHint(label, item.hint);
    HintTracker::SetHint(control, item.hint);
    window.*item.label = label;
    window.*item.control = control;
    return control;
}

using Choices = std::vector<std::pair<QString, int>>;

// The PCL paper sources a listing can ask any PCL printer for, as --tray
// documents them.
const Choices kPclTrays = {
    {"Main tray", 1}, {"Lower tray", 4}, {"Manual feed", 2}, {"Automatic selection", 7}};

// Set on Paper, whose choices are papers: each printer may call a paper
// by a name of its own ("US Letter"), and the paper is what is kept.
const char* const kByPaperProperty = "zlByPaper";

bool ByPaper(const QComboBox* combo) {
    return combo->property(kByPaperProperty).toBool();
}

// What identifies item `index` on any printer: a paper's own name
// ("Letter"), else the item's text.
QString KeyOf(const QComboBox* combo, int index) {
    if (index <= 0)
        return {};
    if (ByPaper(combo)) {
        const Paper* paper =
            RequestedPaper(static_cast<PaperRequest>(combo->itemData(index).toInt()));
        return paper ? QString(paper->name) : QString();
    }
    return combo->itemText(index);
}

// Selects the item that `key` identifies when there is one besides the
// first, else the first, "Printer default".
void SelectByName(QComboBox* combo, const QString& key) {
    int found = -1;
    if (!key.isEmpty() && ByPaper(combo))
        found = combo->findData(static_cast<int>(RequestFor(PaperNamed(key.toStdString()))));
    else if (!key.isEmpty())
        found = combo->findText(key, Qt::MatchExactly);
    combo->setCurrentIndex(found > 0 ? found : 0);
}

// "Printer default" and `choices` (name and number); the choice wanted
// stays selected while it is listed.
void List(QComboBox* combo, const Choices& choices) {
    const QSignalBlocker quiet(combo);
    combo->clear();
    combo->addItem(kPrinterDefault, 0);
    for (const auto& [name, number] : choices)
        combo->addItem(name, number);
    SelectByName(combo, combo->property(kWantedProperty).toString());
}

void Want(QComboBox* combo, const QString& name) {
    combo->setProperty(kWantedProperty, name);
    SelectByName(combo, name);
}

QString ChosenName(const QComboBox* combo) {
    return KeyOf(combo, combo->currentIndex());
}

} // namespace

void CreateRequestControls(MainWindow& window, ScaledLayout& layout) {
    QSpinBox* copies = AddCaptioned(kCopies, window, layout);
    copies->setRange(1, kMostCopies);
    copies->setValue(1);
    for (const Captioned<QComboBox>& item : kCombos) {
        QComboBox* combo = AddCaptioned(item, window, layout);
        // The user's pick is the choice wanted from now on.
        QObject::connect(combo, &QComboBox::activated, combo, [combo](int index) {
            combo->setProperty(kWantedProperty, KeyOf(combo, index));
        });
    }
    window.paperCombo->setProperty(kByPaperProperty, true);
    for (const SidesItem& item : kSidesItems)
        window.twoSidedCombo->addItem(item.text, static_cast<int>(item.sides));
    ListPrinterChoices(window, nullptr);
}

void ListPrinterChoices(MainWindow& window, const PrinterDevice* printer) {
    Choices papers, trays;
    if (printer && printer->capabilities.forms.empty() && printer->capabilities.bins.empty()) {
        // A queue that names no forms and no bins (a raw queue, PCL File)
        // passes the listing as it is: the listing asks the printer itself.
        for (PaperRequest request : {PaperRequest::Letter, PaperRequest::Legal, PaperRequest::A4})
            papers.emplace_back(RequestedPaper(request)->formName, static_cast<int>(request));
        trays = kPclTrays;
    } else if (printer) {
        // The forms of the papers a listing can ask for.
        for (const PaperForm& form : printer->capabilities.forms) {
            const PaperRequest request = PaperOfPclSize(form.pclPaperSize);
            const std::string& shown = form.shownName.empty() ? form.name : form.shownName;
            if (request != PaperRequest::PrinterDefault)
                papers.emplace_back(QString::fromStdString(shown), static_cast<int>(request));
        }
        for (const PaperBin& bin : printer->capabilities.bins) {
            if (bin.pclSource > 0)
                trays.emplace_back(QString::fromStdString(bin.name), bin.pclSource);
        }
    }
    List(window.paperCombo, papers);
    List(window.trayCombo, trays);
}

PrinterRequests RequestsOf(const MainWindow& window) {
    PrinterRequests requests;
    const int copies = window.copiesSpin->value();
    requests.copies = copies > 1 ? copies : 0;
    requests.sides = static_cast<Sides>(window.twoSidedCombo->currentData().toInt());
    requests.paper = static_cast<PaperRequest>(window.paperCombo->currentData().toInt());
    requests.paperSource = window.trayCombo->currentData().toInt();
    return requests;
}

void RestoreRequestControls(MainWindow& window, const QSettings& stored) {
    bool number = false;
    const int copies = stored.value(kCopiesKey).toString().toInt(&number);
    if (number && copies >= 1 && copies <= kMostCopies)
        window.copiesSpin->setValue(copies);
    const QString sides = stored.value(kTwoSidedKey).toString();
    for (int index = 0; index < static_cast<int>(std::size(kSidesItems)); ++index) {
        if (sides == kSidesItems[index].stored)
            window.twoSidedCombo->setCurrentIndex(index);
    }
    Want(window.paperCombo, stored.value(kPaperKey).toString());
    Want(window.trayCombo, stored.value(kTrayKey).toString());
}

void SaveRequestControls(const MainWindow& window, QSettings& stored) {
    stored.setValue(kCopiesKey, window.copiesSpin->value());
    stored.setValue(kTwoSidedKey, kSidesItems[window.twoSidedCombo->currentIndex()].stored);
    stored.setValue(kPaperKey, ChosenName(window.paperCombo));
    stored.setValue(kTrayKey, ChosenName(window.trayCombo));
}

} // namespace zl
