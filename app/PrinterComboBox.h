// The printer drop-down list: shows the installed printers, hands the
// user's pick to the printer selector, and reselects the printer whenever
// its window is shown.
#pragma once

#include "app/ComboListControl.h"
#include "printer/PrinterSelector.h"

#include <QComboBox>
#include <QPointer>

#include <functional>

namespace zl {

class PrinterComboBox : public QComboBox {
    Q_OBJECT

public:
    // `owner`'s window is watched for being shown; `printer` is the
    // printer list to choose from.
    PrinterComboBox(QWidget* owner, PrinterList& printer);
    ~PrinterComboBox() override;

    PrinterSelector& Selector() { return selector_; }

    // While paused (a print run has the spooler), the printer is not
    // reselected when the window is shown.
    void SetSpoolerPaused(bool paused) { spoolerPaused_ = paused; }

    // Where failures of the user's pick or of a reselection go; by default
    // an error box.
    std::function<void(const std::string& message)> onError;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Guarded(const std::function<void()>& action);

    ComboListControl items_;
    PrinterSelector selector_;
    QPointer<QWidget> hooked_;
    bool spoolerPaused_ = false;
};

} // namespace zl
