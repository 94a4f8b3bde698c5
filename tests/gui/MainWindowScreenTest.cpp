// How the window shows on the screen: where it opens, at any font, and that
// its fixed options read well on light and dark themes alike.
#include "tests/gui/MainWindowFixture.h"

#include "app/LegibleText.h"

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QStyleOption>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace zl {
namespace {

using MainWindowScreenTest = test::MainWindowFixture;

// On three font sizes, the window opens with its whole frame on the
// available area of its screen, centred there: its options scroll where the
// screen is too small for them. The test runs on the offscreen platform's
// own screen and, as MainWindowScreenTest.OnA1280x1024Screen, on the
// 1280x1024 screen of screen-1280x1024.json beside this file, at the scale
// of 1 and of 2 (as 640x512).
TEST_F(MainWindowScreenTest, TheWindowOpensCentredWithItsWholeFrameOnTheAvailableArea) {
    const bool wideScreen = qEnvironmentVariable("QT_QPA_PLATFORM").contains("configfile=");
    const int scale = qEnvironmentVariable("QT_SCALE_FACTOR") == "2" ? 2 : 1;
    OnThreeFontSizes([wideScreen, scale](MainWindow& w) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        const QRect available = w.screen()->availableGeometry();
        if (wideScreen) {
            EXPECT_EQ(available, QRect(0, 0, 1280 / scale, 1024 / scale));
        }
        const QRect frame = w.frameGeometry();
        EXPECT_TRUE(available.contains(frame))
            << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
        // Centred, but for the frame the window guesses before it is shown.
        const QPoint offCentre = frame.center() - available.center();
        EXPECT_LE(offCentre.manhattanLength(), 2 * w.fontMetrics().height())
            << offCentre.x() << "," << offCentre.y();
    });
}

// `box` painted on `background` at four times its size, so that its
// letters have pixels of the text colour itself, not only blends of it.
QImage Painted(QCheckBox& box, const QColor& background) {
    constexpr int kScale = 4;
    QImage image(box.size() * kScale, QImage::Format_ARGB32);
    image.setDevicePixelRatio(kScale);
    image.fill(background);
    box.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// The colours of `image` in `area`, given in the widget's pixels.
std::vector<QColor> PixelsIn(const QImage& image, const QRect& area) {
    const QRect pixels(area.topLeft() * image.devicePixelRatio(),
                       area.size() * image.devicePixelRatio());
    std::vector<QColor> colors;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            if (image.rect().contains(x, y))
                colors.push_back(image.pixelColor(x, y));
        }
    }
    return colors;
}

// "Headers" and "Line Numbers" cannot be changed: their tick is green, and
// their text has a contrast of at least 4.5:1 against the window's
// background, on a light theme and after a change to a dark one.
TEST_F(MainWindowScreenTest, TheFixedOptionsReadWellOnLightAndDarkThemes) {
    const QPalette platformPalette = QApplication::palette();
    MainWindow& w = Window();
    w.show();
    for (const QColor& background : {QColor(239, 239, 239), QColor(53, 53, 53)}) {
        SCOPED_TRACE(background.name().toStdString());
        QApplication::setPalette(QPalette(background)); // reaches the widgets as an event
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return w.palette().color(QPalette::Window) == background; }));
        for (QCheckBox* fixed : {w.headersCheck, w.lineNumbersCheck}) {
            SCOPED_TRACE(fixed->objectName().toStdString());
            QStyleOptionButton option;
            option.initFrom(fixed);
            option.text = fixed->text();
            const QStyle* style = fixed->style();
            const QImage painted = Painted(*fixed, background);
            // The text's own colour is the one that stands out most.
            double textContrast = 1;
            for (const QColor& color : PixelsIn(
                     painted, style->subElementRect(QStyle::SE_CheckBoxContents, &option, fixed)))
                textContrast = std::max(textContrast, ContrastRatio(color, background));
            EXPECT_GE(textContrast, kMinimumTextContrast);
            const std::vector<QColor> tick = PixelsIn(
                painted, style->subElementRect(QStyle::SE_CheckBoxIndicator, &option, fixed));
            EXPECT_TRUE(std::any_of(tick.begin(), tick.end(), [](const QColor& color) {
                return color.green() > color.red() + 10 && color.green() > color.blue() + 10;
            })) << "a green tick";
        }
    }
    QApplication::setPalette(platformPalette);
}

} // namespace
} // namespace zl
