#include "app/LegibleText.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace zl {

namespace {

// The sRGB channel in linear light.
double Linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double RelativeLuminance(const QColor& color) {
    const QColor rgb = color.toRgb();
    return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) +
           0.0722 * Linear(rgb.blueF());
}

// Keeps a widget's text legible: recolours it at each palette change.
class LegibleTextKeeper : public QObject {
public:
    LegibleTextKeeper(QWidget* widget, const QColor& wanted) : QObject(widget), wanted_(wanted) {
        widget->installEventFilter(this);
        Apply(widget);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::PaletteChange)
            Apply(static_cast<QWidget*>(watched));
        return false;
    }

private:
    // The text colour of each colour group against that group's background;
    // the theme's own text colour when no shade of the wanted one will do.
    void Apply(QWidget* widget) const {
        const QWidget* parent = widget->parentWidget();
        const QPalette theme = parent ? parent->palette() : QApplication::palette(widget);
        QPalette palette = widget->palette();
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            palette.setColor(group, QPalette::WindowText,
                             LegibleShade(wanted_, theme.color(group, QPalette::Window),
                                          theme.color(group, QPalette::WindowText)));
        }
        widget->setPalette(palette); // no change event when nothing changed
    }

    QColor wanted_;
};

} // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double first = RelativeLuminance(a);
    const double second = RelativeLuminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor LegibleShade(const QColor& wanted, const QColor& background, const QColor& fallback) {
    const QColor hsl = wanted.toHsl();
    const int lightness = hsl.lightness();
    // Darker and lighter by one step at a time, the nearer shade first.
    for (int step = 0; step <= 255; ++step) {
        for (const int candidate : {lightness - step, lightness + step}) {
            if (candidate < 0 || candidate > 255)
                continue;
            const QColor shade = QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), candidate);
            if (ContrastRatio(shade, background) >= kMinimumTextContrast)
                return shade.toRgb();
        }
    }
    return fallback;
}

void KeepTextLegible(QWidget* widget, const QColor& wanted) {
    new LegibleTextKeeper(widget, wanted);
}

} // namespace zl
