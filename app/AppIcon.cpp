#include "app/AppIcon.h"

#include <QPainter>

#include <sstream>
#include <vector>

namespace zl {

namespace {

// The drawing in parts of the icon's side: a white sheet with four light
// green bands, every other eighth of its height, and a grey edge.
const QRectF kSheet(0.12, 0.04, 0.76, 0.92);
const QColor kBandColor(192, 220, 192);
const QColor kEdgeColor(96, 96, 96);
constexpr int kEighths = 8;

std::vector<QRectF> Bands() {
    std::vector<QRectF> bands;
    const double band = kSheet.height() / kEighths;
    for (int i = 0; i < kEighths; i += 2)
        bands.emplace_back(kSheet.left(), kSheet.top() + i * band, kSheet.width(), band);
    return bands;
}

QRectF Scaled(const QRectF& rect, double size) {
    return {rect.x() * size, rect.y() * size, rect.width() * size, rect.height() * size};
}

std::string SvgRect(const QRectF& rect, const std::string& style) {
    std::ostringstream out;
    out << "  <rect x=\"" << rect.x() << "\" y=\"" << rect.y() << "\" width=\"" << rect.width()
        << "\" height=\"" << rect.height() << "\" " << style << "/>\n";
    return out.str();
}

} // namespace

QPixmap AppIconPixmap(int size) {
    QPixmap sheet(size, size);
    sheet.fill(Qt::transparent);
    QPainter painter(&sheet);
    const QRectF paper = Scaled(kSheet, size);
    painter.fillRect(paper, Qt::white);
    for (const QRectF& band : Bands())
        painter.fillRect(Scaled(band, size), kBandColor);
    painter.setPen(kEdgeColor);
    painter.drawRect(paper.adjusted(0, 0, -1, -1));
    return sheet;
}

QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(AppIconPixmap(size));
    return icon;
}

std::string AppIconSvg() {
    constexpr double kSide = 64;
    const std::string band = "fill=\"" + kBandColor.name().toStdString() + "\"";
    const std::string edge =
        "fill=\"none\" stroke=\"" + kEdgeColor.name().toStdString() + "\" stroke-width=\"1\"";
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" "
                      "viewBox=\"0 0 64 64\">\n";
    const QRectF paper = Scaled(kSheet, kSide);
    svg += SvgRect(paper, "fill=\"#ffffff\"");
    for (const QRectF& rect : Bands())
        svg += SvgRect(Scaled(rect, kSide), band);
    // The edge runs along the inside of the sheet, as in the drawing.
    svg += SvgRect(paper.adjusted(0.5, 0.5, -0.5, -0.5), edge);
    return svg + "</svg>\n";
}

} // namespace zl
