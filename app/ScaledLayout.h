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

    // Records where `widget` goes in its parent, in design pixels. Record a
    // group before the controls inside it.
    void Place(QWidget* widget, QRect design);

    // Sets the geometry of every placed widget for the fonts they have now
    // and answers the size that holds the placed widgets of `panel` with the
    // design's margin to the right and below.
    QSize Apply(QWidget* panel);

private:
    struct Placed {
        QPointer<QWidget> widget;
        QRect design;
        QRect rect;
    };
    // Lays out the placed children of `parent`, each group's inside first,
    // and answers the size they need in it.
    QSize LayOutChildren(QWidget* parent);
    static void GrowToText(Placed& placed);
    static void MoveApart(std::vector<Placed*>& siblings, QSizeF scale);

    std::vector<Placed> placed_;
};

} // namespace zl
