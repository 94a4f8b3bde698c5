#include "app/PrinterComboBox.h"

#include "platform/Exception.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>

namespace zl {

PrinterComboBox::PrinterComboBox(QWidget* owner, PrinterList& printer)
    : QComboBox(owner), items_(*this), printer_(printer), selector_(printer, items_) {
    setEditable(false); // a drop-down list: no free text
    connect(this, &QComboBox::activated, this,
            [this](int) { Guarded([this] { selector_.ListSelectionChange(); }); });
    onError = [this](const std::string& message) {
        QMessageBox::critical(window(), QApplication::applicationName(),
                              QString::fromStdString(ShownMessage(message)));
    };
    if (owner) {
        hooked_ = owner->window();
        hooked_->installEventFilter(this);
    }
    poll_.setInterval(kJobPollMs);
    connect(&poll_, &QTimer::timeout, this, &PrinterComboBox::PollJobCount);
    StartPolling();
}

PrinterComboBox::~PrinterComboBox() {
    if (hooked_)
        hooked_->removeEventFilter(this);
}

void PrinterComboBox::Guarded(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        if (onError)
            onError(e.what());
    }
}

bool PrinterComboBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == hooked_ && event->type() == QEvent::Show && !spoolerPaused_) {
        Guarded([this] { selector_.ReselectPrinter(); });
        StartPolling();
    }
    return false; // the window handles every event as well
}

void PrinterComboBox::StartPolling() {
    lastJobCount_ = -1;
    poll_.start();
}

void PrinterComboBox::SetSpoolerPaused(bool paused) {
    if (paused == spoolerPaused_)
        return;
    spoolerPaused_ = paused;
    if (paused) {
        pollAfterPause_ = poll_.isActive();
        poll_.stop();
    } else if (pollAfterPause_) {
        poll_.start();
    }
}

void PrinterComboBox::PollJobCount() {
    std::int32_t count = -1;
    try {
        count = printer_.Service().JobCount(selector_.PrinterName());
    } catch (const std::exception&) {
        count = -1;
    }
    if (count < 0) {
        poll_.stop(); // the service cannot tell: ask again when shown next
        return;
    }
    if (count != lastJobCount_) {
        lastJobCount_ = count;
        selector_.SpoolerStatus(count);
    }
}

void PrinterComboBox::Link(QComboBox* combo, Linked& link,
                           void (PrinterSelector::*setter)(ListControl*)) {
    link.control.reset(combo ? new ComboListControl(*combo) : nullptr);
    link.box = combo;
    (selector_.*setter)(link.control.get());
    if (!combo)
        return;
    // A linked combo that goes away is unlinked.
    connect(combo, &QObject::destroyed, this, [this, combo, &link, setter] {
        if (link.box == combo)
            Link(nullptr, link, setter);
    });
}

void PrinterComboBox::SetComboPaperSize(QComboBox* combo) {
    Link(combo, paperCombo_, &PrinterSelector::SetComboPaperSize);
}

void PrinterComboBox::SetComboPaperSource(QComboBox* combo) {
    Link(combo, binCombo_, &PrinterSelector::SetComboPaperSource);
}

} // namespace zl
