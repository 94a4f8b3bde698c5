#include "app/HintTracker.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QVariant>
#include <QWidget>

namespace zl {

namespace {
constexpr const char* kHintProperty = "zlHint";
}

HintTracker::HintTracker(QObject* parent) : QObject(parent) {}

void HintTracker::SetHint(QWidget* widget, const QString& hint) {
    widget->setProperty(kHintProperty, hint);
    const int bar = hint.indexOf('|');
    if (bar > 0)
        widget->setToolTip(hint.left(bar));
}

QString HintTracker::HintOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QString hint = w->property(kHintProperty).toString();
        if (!hint.isEmpty())
            return hint;
    }
    return {};
}

QString HintTracker::LongPart(const QString& hint) {
    const int bar = hint.indexOf('|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

void HintTracker::UpdateFor(const QWidget* underPointer) {
    const QString hint = LongPart(HintOf(underPointer));
    if (hint == current_)
        return;
    current_ = hint;
    emit HintChanged(current_);
}

bool HintTracker::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::HoverMove:
        UpdateFor(QApplication::widgetAt(QCursor::pos()));
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zl
