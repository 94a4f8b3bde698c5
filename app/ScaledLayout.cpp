#include "app/ScaledLayout.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <cmath>

namespace zl {

namespace {

// The design's margin of a container around its controls.
constexpr int kDesignMargin = 8;

int Scaled(int design, double scale) {
    return static_cast<int>(std::lround(design * scale));
}

QRect ScaledRect(const QRect& design, QSizeF scale) {
    return {Scaled(design.x(), scale.width()), Scaled(design.y(), scale.height()),
            Scaled(design.width(), scale.width()), Scaled(design.height(), scale.height())};
}

// The size of a drop-down list that shows its longest item whole.
QSize SizeForItems(const QComboBox& list) {
    int longest = 0;
    for (int i = 0; i < list.count(); ++i)
        longest = std::max(longest, list.fontMetrics().horizontalAdvance(list.itemText(i)));
    QStyleOptionComboBox option;
    option.initFrom(&list);
    return list.style()->sizeFromContents(QStyle::CT_ComboBox, &option,
                                          QSize(longest, list.fontMetrics().height()), &list);
}

bool RowsOverlap(const QRect& a, const QRect& b) {
    return a.top() <= b.bottom() && b.top() <= a.bottom();
}

} // namespace

QSizeF ScaledLayout::ScaleFor(const QFont& font) {
    const QFontMetricsF metrics(font);
    return {metrics.averageCharWidth() / kDesignAverageCharWidth,
            QFontInfo(font).pixelSize() / kDesignFontPixels};
}

void ScaledLayout::Place(QWidget* widget, QRect design) {
    placed_.push_back({widget, design, design});
}

QSize ScaledLayout::Apply(QWidget* parent) {
    const QSizeF scale = ScaleFor(parent->font());
    std::vector<Placed*> children;
    for (Placed& placed : placed_) {
        if (placed.widget && placed.widget->parentWidget() == parent)
            children.push_back(&placed);
    }
    for (Placed* child : children) {
        child->rect = ScaledRect(child->design, ScaleFor(child->widget->font()));
        GrowToText(*child);
        // A group holds its own controls, laid out first.
        const QSize inside = Apply(child->widget);
        child->rect.setWidth(std::max(child->rect.width(), inside.width()));
        child->rect.setHeight(std::max(child->rect.height(), inside.height()));
    }
    MoveApart(children, scale);
    QSize needed(0, 0);
    for (Placed* child : children) {
        child->widget->setGeometry(child->rect);
        needed = needed.expandedTo(QSize(child->rect.right() + 1, child->rect.bottom() + 1));
    }
    if (children.empty())
        return needed;
    return needed +
           QSize(Scaled(kDesignMargin, scale.width()), Scaled(kDesignMargin, scale.height()));
}

// Grows the rectangle to the size the control's text needs: a label, a
// check box or radio button to its size hint, a drop-down list to its
// longest item, a group to the width of its title.
void ScaledLayout::GrowToText(Placed& placed) {
    QWidget* widget = placed.widget;
    QSize needed(0, 0);
    if (qobject_cast<QLabel*>(widget) || qobject_cast<QAbstractButton*>(widget))
        needed = widget->sizeHint();
    else if (auto* list = qobject_cast<QComboBox*>(widget))
        needed = SizeForItems(*list);
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        needed = QSize(group->minimumSizeHint().width(), 0);
    else
        needed = QSize(0, widget->sizeHint().height());
    placed.rect.setWidth(std::max(placed.rect.width(), needed.width()));
    placed.rect.setHeight(std::max(placed.rect.height(), needed.height()));
}

// Moves each control that now covers one placed before it: to the right
// when the two share a row in the design, else down, keeping the design's
// gap between them.
void ScaledLayout::MoveApart(std::vector<Placed*>& siblings, QSizeF scale) {
    std::sort(siblings.begin(), siblings.end(), [](const Placed* a, const Placed* b) {
        return std::make_pair(a->design.y(), a->design.x()) <
               std::make_pair(b->design.y(), b->design.x());
    });
    for (std::size_t i = 0; i < siblings.size(); ++i) {
        Placed& later = *siblings[i];
        for (std::size_t j = 0; j < i; ++j) {
            const Placed& earlier = *siblings[j];
            if (!later.rect.intersects(earlier.rect))
                continue;
            if (RowsOverlap(later.design, earlier.design)) {
                const int gap = std::max(0, later.design.left() - earlier.design.right() - 1);
                later.rect.moveLeft(earlier.rect.right() + 1 + Scaled(gap, scale.width()));
            } else {
                const int gap = std::max(0, later.design.top() - earlier.design.bottom() - 1);
                later.rect.moveTop(earlier.rect.bottom() + 1 + Scaled(gap, scale.height()));
            }
            j = static_cast<std::size_t>(-1); // look again from the first
        }
    }
}

} // namespace zl
