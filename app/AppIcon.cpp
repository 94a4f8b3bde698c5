#include "app/AppIcon.h"

#include <QPainter>
#include <QPixmap>

namespace zl {

QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QPixmap sheet(size, size);
        sheet.fill(Qt::transparent);
        QPainter painter(&sheet);
        const QRectF paper(size * 0.12, size * 0.04, size * 0.76, size * 0.92);
        painter.fillRect(paper, Qt::white);
        const double band = paper.height() / 8;
        for (int i = 0; i < 8; i += 2)
            painter.fillRect(QRectF(paper.left(), paper.top() + i * band, paper.width(), band),
                             QColor(192, 220, 192));
        painter.setPen(QColor(96, 96, 96));
        painter.drawRect(paper.adjusted(0, 0, -1, -1));
        icon.addPixmap(sheet);
    }
    return icon;
}

} // namespace zl
