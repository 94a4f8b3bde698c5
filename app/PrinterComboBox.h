// The printer drop-down list: shows the installed printers, hands the
// user's pick to the printer selector, reselects the printer whenever its
// window is shown, and watches the current printer's job count.
#pragma once

#include "app/ComboListControl.h"
#include "printer/PrinterSelector.h"

#include <QComboBox>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

namespace zl {

class PrinterComboBox : public QComboBox {
    Q_OBJECT

public:
    static constexpr int kJobPollMs = 2000;

    // `owner`'s window is watched for being shown; `printer` is the
    // printer list to choose from.
    PrinterComboBox(QWidget* owner, PrinterList& printer);
    ~PrinterComboBox() override;

    PrinterSelector& Selector() { return selector_; }
    void SetComboPaperSize(QComboBox* combo);
    void SetComboPaperSource(QComboBox* combo);

    // Asks the print service for the current printer's job count and
    // reports a change; stops asking while the service cannot tell.
    void PollJobCount();
    bool Polling() const { return poll_.isActive(); }
    // While paused (a print run has the spooler), the job count is not
    // asked for and the printer not reselected; polling goes on afterwards
    // if it went on before.
    void SetSpoolerPaused(bool paused);

    // Where failures of the user's pick or of a reselection go; by default
    // an error box.
    std::function<void(const std::string& message)> onError;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Linked {
        std::unique_ptr<ComboListControl> control;
        QComboBox* box = nullptr;
    };

    void Guarded(const std::function<void()>& action);
    void StartPolling();
    void Link(QComboBox* combo, Linked& link, void (PrinterSelector::*setter)(ListControl*));

    ComboListControl items_;
    PrinterList& printer_;
    PrinterSelector selector_;
    Linked paperCombo_, binCombo_;
    QPointer<QWidget> hooked_;
    QTimer poll_;
    int lastJobCount_ = -1;
    bool spoolerPaused_ = false;
    bool pollAfterPause_ = false;
};

} // namespace zl
