#include "app/BarHeightSpinBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include <algorithm>

namespace zl {

namespace {
int Limited(int value) {
    return std::clamp(value, BarHeightSpinBox::kMinimum, BarHeightSpinBox::kMaximum);
}
} // namespace

BarHeightSpinBox::BarHeightSpinBox(QWidget* parent) : QAbstractSpinBox(parent) {
    lineEdit()->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9+-]*"), lineEdit()));
    connect(lineEdit(), &QLineEdit::textChanged, this, &BarHeightSpinBox::Changed);
    SetValue(2);
}

int BarHeightSpinBox::Value() const {
    bool ok = false;
    const int value = lineEdit()->text().toInt(&ok);
    return ok ? value : 1;
}

void BarHeightSpinBox::SetValue(int value) {
    lineEdit()->setText(QString::number(value));
}

void BarHeightSpinBox::stepBy(int steps) {
    SetValue(Limited(Limited(Value()) + steps));
}

QAbstractSpinBox::StepEnabled BarHeightSpinBox::stepEnabled() const {
    StepEnabled enabled = StepNone;
    if (Value() < kMaximum)
        enabled |= StepUpEnabled;
    if (Value() > kMinimum)
        enabled |= StepDownEnabled;
    return enabled;
}

void BarHeightSpinBox::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const bool printable = !text.isEmpty() && text.at(0).isPrint();
    if (printable && !text.contains(QRegularExpression("^[0-9+-]+$"))) {
        QApplication::beep(); // only digits, "+" and "-"
        event->accept();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void BarHeightSpinBox::focusOutEvent(QFocusEvent* event) {
    if (Limited(Value()) != Value() || lineEdit()->text() != QString::number(Value()))
        SetValue(Limited(Value()));
    QAbstractSpinBox::focusOutEvent(event);
}

} // namespace zl
