#include "app/WindowPlacement.h"

#include <QLayout>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace zl {

namespace {

// The window's frame: as the platform reports it once the window exists;
// before, room for a title bar of two lines of text and a border on each side.
QMargins FrameMargins(const QWidget& window) {
    if (const QWindow* handle = window.windowHandle()) {
        const QMargins known = handle->frameMargins();
        if (!known.isNull())
            return known;
    }
    constexpr int kBorder = 8;
    return {kBorder, kBorder + 2 * window.fontMetrics().height(), kBorder, kBorder};
}

} // namespace

QRect FramePlacement(QSize wanted, QSize minimum, QMargins frame, const QRect& available) {
    const QSize room = available.size().shrunkBy(frame);
    const QSize contents = wanted.boundedTo(room).expandedTo(minimum);
    QRect placed(QPoint(0, 0), contents.grownBy(frame));
    placed.moveCenter(available.center());
    // Too large for the area: its top left corner, with the title bar, shows.
    placed.moveLeft(std::max(available.left(), placed.left()));
    placed.moveTop(std::max(available.top(), placed.top()));
    return placed;
}

void PlaceOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    const QMargins frame = FrameMargins(window);
    if (window.layout())
        window.layout()->activate(); // the minimum of what it holds now
    const QSize minimum = window.minimumSizeHint().expandedTo(window.minimumSize());
    const QRect placed = FramePlacement(window.size(), minimum, frame, screen->availableGeometry());
    window.resize(placed.size().shrunkBy(frame));
    window.move(placed.topLeft()); // a window's position is its frame's
}

bool OnAvailableScreen(const QWidget& window) {
    // A window stored at a smaller font grows to its minimum size when shown.
    const QRect contents(window.geometry().topLeft(),
                         window.size().expandedTo(window.minimumSizeHint()));
    const QList<QScreen*> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(), [&](const QScreen* screen) {
        return screen->availableGeometry().contains(contents);
    });
}

} // namespace zl
