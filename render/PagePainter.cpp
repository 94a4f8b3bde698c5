#include "render/PagePainter.h"

#include <QFont>
#include <QGlyphRun>
#include <QPaintDevice>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <vector>

namespace zl::render {

namespace {

constexpr double kDotsPerInch = 300;
constexpr double kPointsPerInch = 72;

} // namespace

PagePainter::PagePainter() {
    QFont font(kFamily);
    font.setStyleHint(QFont::Monospace);
    font.setHintingPreference(QFont::PreferNoHinting);
    face_ = QRawFont::fromFont(font);
}

double PagePainter::Brightness(int shadePercent) {
    return (100 - std::clamp(shadePercent, 0, 100)) / 100.0;
}

double DotScale(const QPaintDevice& device) {
    return device.logicalDpiX() / kDotsPerInch;
}

void PagePainter::Paint(QPainter& painter, const Page& page) {
    painter.save();
    if (QPaintDevice* device = painter.device()) {
        const double scaleX = DotScale(*device);
        const double scaleY = device->logicalDpiY() / kDotsPerInch;
        painter.scale(scaleX, scaleY);
    }
    painter.setPen(Qt::NoPen);
    for (const ShadedRect& rect : page.rects) {
        const double grey = Brightness(rect.shadePercent);
        painter.fillRect(QRectF(rect.x, rect.y, rect.width, rect.height),
                         QColor::fromRgbF(static_cast<float>(grey), static_cast<float>(grey),
                                          static_cast<float>(grey)));
    }
    painter.setPen(Qt::black);
    for (const TextRun& run : page.runs)
        PaintRun(painter, run);
    painter.restore();
}

const QRawFont& PagePainter::FontAt(double height) {
    auto found = sized_.find(height);
    if (found == sized_.end()) {
        QRawFont font = face_;
        font.setPixelSize(height);
        found = sized_.emplace(height, font).first;
    }
    return found->second;
}

// The run's glyphs are placed one cell apart, and squeezed or widened
// sideways so that the face's own advance fills the cell exactly: the face
// keeps the height of the chosen font and the columns keep the pitch.
void PagePainter::PaintRun(QPainter& painter, const TextRun& run) {
    if (run.text.empty() || run.font.pitch <= 0 || !face_.isValid())
        return;
    const QRawFont& font = FontAt(run.font.height * kDotsPerInch / kPointsPerInch);
    const QString text =
        QString::fromUcs4(run.text.data(), static_cast<qsizetype>(run.text.size()));
    std::vector<quint32> glyphs(static_cast<std::size_t>(text.size()));
    int count = static_cast<int>(glyphs.size());
    if (!font.glyphIndexesForChars(text.constData(), static_cast<int>(text.size()), glyphs.data(),
                                   &count))
        return;
    glyphs.resize(static_cast<std::size_t>(count));

    const double cell = kDotsPerInch / run.font.pitch;
    const quint32 reference = font.glyphIndexesForString(QStringLiteral("M")).value(0);
    const QList<QPointF> referenceAdvance = font.advancesForGlyphIndexes({reference});
    const double advance = referenceAdvance.isEmpty() ? 0 : referenceAdvance.first().x();
    const double stretch = advance > 0 ? cell / advance : 1;

    QList<QPointF> positions;
    positions.reserve(count);
    for (int i = 0; i < count; ++i)
        positions.append(QPointF(i * cell / stretch, 0));
    QGlyphRun glyphRun;
    glyphRun.setRawFont(font);
    glyphRun.setGlyphIndexes(QList<quint32>(glyphs.begin(), glyphs.end()));
    glyphRun.setPositions(positions);

    painter.save();
    painter.translate(run.x, run.baseline);
    painter.scale(stretch, 1);
    painter.drawGlyphRun(QPointF(0, 0), glyphRun);
    painter.restore();
}

} // namespace zl::render
