#include "app/LeftClick.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace zl {

namespace {

// Watches the widget it belongs to; the widget handles the press as before.
class LeftClickFilter : public QObject {
public:
    LeftClickFilter(QWidget* widget, std::function<void()> action)
        : QObject(widget), action_(std::move(action)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        const QEvent::Type type = event->type();
        if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            action_();
        return false;
    }

private:
    std::function<void()> action_;
};

} // namespace

void OnLeftClick(QWidget* widget, std::function<void()> action) {
    widget->installEventFilter(new LeftClickFilter(widget, std::move(action)));
}

} // namespace zl
