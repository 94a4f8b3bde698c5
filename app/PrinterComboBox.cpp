#include "app/PrinterComboBox.h"

#include "platform/Exception.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>

namespace zl {

PrinterComboBox::PrinterComboBox(QWidget* owner, PrinterList& printer)
    : QComboBox(owner), items_(*this), selector_(printer, items_) {
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
    if (watched == hooked_ && event->type() == QEvent::Show && !spoolerPaused_)
        Guarded([this] { selector_.ReselectPrinter(); });
    return false; // the window handles every event as well
}

} // namespace zl
