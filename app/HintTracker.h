// Hints of the form "short|long": a widget without a hint of its own shows
// that of the nearest enclosing widget that has one. The tracker follows the
// pointer and reports the long part of the hint under it whenever it changes.
#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace zl {

class HintTracker : public QObject {
    Q_OBJECT

public:
    explicit HintTracker(QObject* parent = nullptr);

    // Gives `widget` its hint; the short part also becomes its tool tip.
    static void SetHint(QWidget* widget, const QString& hint);
    // The widget's own hint, or that of the nearest enclosing widget.
    static QString HintOf(const QWidget* widget);
    // Everything after the first bar, or the whole hint without one.
    static QString LongPart(const QString& hint);

    // Takes the hint of the widget under the pointer (none: null).
    void UpdateFor(const QWidget* underPointer);
    const QString& CurrentHint() const { return current_; }

signals:
    void HintChanged(const QString& longHint);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString current_;
};

} // namespace zl
