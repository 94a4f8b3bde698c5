// Where a top-level window opens: wholly on the available area of a screen
// (the screen less the desktop's panels), frame included, at any scale.
#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace zl {

// The frame rectangle for a window whose contents want `wanted` and need at
// least `minimum`, with `frame` around them: centred on `available`, the
// contents shrunk (not below `minimum`) until the frame fits. A frame that
// cannot fit starts at the area's top left corner.
QRect FramePlacement(QSize wanted, QSize minimum, QMargins frame, const QRect& available);

// Places `window`, at its present size, on its screen as FramePlacement says.
void PlaceOnScreen(QWidget& window);

// Whether the window's contents, at least at their minimum size, lie wholly
// on the available area of one screen (a window restored from another set of
// screens, or stored at a smaller font, may not).
bool OnAvailableScreen(const QWidget& window);

} // namespace zl
