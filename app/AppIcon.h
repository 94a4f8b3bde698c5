// The program's icon: a sheet of greenbar paper, drawn rather than shipped.
// The same drawing gives the window's icon, the PNG files and the scalable
// SVG file that the desktop's icon theme takes.
#pragma once

#include <QIcon>
#include <QPixmap>

#include <string>

namespace zl {

QIcon AppIcon();

// The icon drawn on a transparent square of `size` pixels.
QPixmap AppIconPixmap(int size);

// The icon as an SVG document, 64 units square.
std::string AppIconSvg();

} // namespace zl
