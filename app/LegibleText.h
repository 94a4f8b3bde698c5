// Text colours that stay readable: the contrast of two colours as the WCAG
// measures it, and a shade of a wanted colour that reaches the contrast
// normal text needs on a given background.
#pragma once

#include <QColor>

class QWidget;

namespace zl {

// What normal text needs against its background.
constexpr double kMinimumTextContrast = 4.5;

// (L1 + 0.05) / (L2 + 0.05) of the colours' relative luminances, the
// lighter one above: 1 for equal colours, 21 for black on white.
double ContrastRatio(const QColor& a, const QColor& b);

// The shade of `wanted` (same hue and saturation) nearest to it in lightness
// whose contrast against `background` is at least kMinimumTextContrast;
// `fallback` when none is.
QColor LegibleShade(const QColor& wanted, const QColor& background, const QColor& fallback);

// Draws `widget`'s text in the legible shade of `wanted` against its window
// background, now and whenever its palette changes (a light or dark theme).
void KeepTextLegible(QWidget* widget, const QColor& wanted);

} // namespace zl
