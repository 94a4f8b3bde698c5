// Places a panel's controls by design rectangles that were drawn for a small
// sans-serif font, 10 pixels high with an average character 5 pixels wide,
// scaled by the font the controls really use: the same arrangement on any
// font, size and screen. A control whose text would still be clipped grows to
// its text, the controls after it in its row or column move along, and a
// group grows to hold what it contains.
#pragma once

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QSizeF>
#include <QWidget>

#include <vector>

class QFont;

namespace zl {

class ScaledLayout {
public:
    static constexpr double kDesignFontPixels = 10;
    static constexpr double kDesignAverageCharWidth = 5;

    // The horizontal and vertical scale from the design font to `font`.
    static QSizeF ScaleFor(const QFont& font);

    // Records where `widget` goes in its parent, in design pixels.
    void Place(QWidget* widget, QRect design);

    // Sets the geometry of the widgets placed in `parent`, each group's
    // inside first, for the fonts they have now, and answers the size that
    // holds them with the design's margin to the right and below.
    QSize Apply(QWidget* parent);

private:
    struct Placed {
        QPointer<QWidget> widget;
        QRect design;
        QRect rect;
    };
    static void GrowToText(Placed& placed);
    static void MoveApart(std::vector<Placed*>& siblings, QSizeF scale);

    std::vector<Placed> placed_;
};

} // namespace zl
