// A label that shortens text too long for it with an ellipsis: in the middle
// of a path, else at the end.
#pragma once

#include <QLabel>
#include <QPainter>

namespace zl {

class ElidedLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QString full = text();
        const bool path = full.contains('/') || full.contains('\\');
        const QString shown = fontMetrics().elidedText(
            full, path ? Qt::ElideMiddle : Qt::ElideRight, contentsRect().width());
        painter.drawText(contentsRect(), Qt::AlignLeft | Qt::AlignVCenter, shown);
    }
    QSize minimumSizeHint() const override { return QSize(0, QLabel::minimumSizeHint().height()); }
};

} // namespace zl
