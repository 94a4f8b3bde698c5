#include "render/PagePainter.h"

#include <QGlyphRun>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

namespace zl::render {

namespace {

constexpr double kDotsPerInch = 300;

// The glyphs of one face in a run, each at its column.
struct GlyphItem {
    GlyphSource source;
    QList<quint32> glyphs;
    QList<int> columns;
};

} // namespace

PagePainter::PagePainter() = default;

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

const GlyphSource& PagePainter::GlyphOf(Face face, char32_t c) {
    std::unordered_map<char32_t, GlyphSource>& known = glyphs_[static_cast<int>(face)];
    auto found = known.find(c);
    if (found == known.end())
        found = known.emplace(c, faces_.GlyphOf(face, c)).first;
    return found->second;
}

const QRawFont& PagePainter::Sized(const QRawFont& face, double em) {
    auto found = sized_.find({&face, em});
    if (found == sized_.end()) {
        QRawFont font = face;
        font.setPixelSize(em);
        found = sized_.emplace(std::make_pair(&face, em), font).first;
    }
    return found->second;
}

// The run's characters are placed one cell apart, and each glyph is
// squeezed or widened sideways so that its face's advance fills the cell:
// the face keeps the printed font's em and the columns keep the pitch. The
// characters of the run's face make one item, those drawn from the
// fallback face another.
void PagePainter::PaintRun(QPainter& painter, const TextRun& run) {
    if (run.glyphAdvance > 0) {
        PaintGlyphs(painter, run);
        return;
    }
    if (run.text.empty() || run.font.pitch <= 0 || run.font.height <= 0)
        return;
    const Face which = FaceOf(run.font);
    const RunFace face = faces_.FaceOf(which);
    const double cell = CellWidth(run.font.pitch);
    const double stretch = CellStretch(run.font, face.advance);
    const double em = EmDots(run.font);

    std::vector<GlyphItem> items;
    for (std::size_t column = 0; column < run.text.size(); ++column) {
        if (run.text[column] == U' ')
            continue;
        const GlyphSource& source = GlyphOf(which, run.text[column]);
        auto item = std::find_if(items.begin(), items.end(),
                                 [&](const GlyphItem& i) { return i.source.face == source.face; });
        if (item == items.end())
            item = items.insert(items.end(), GlyphItem{source, {}, {}});
        item->glyphs.append(source.glyph);
        item->columns.append(static_cast<int>(column));
    }
    for (const GlyphItem& item : items) {
        const double scale = stretch * item.source.widthScale;
        QList<QPointF> positions;
        positions.reserve(item.columns.size());
        for (int column : item.columns)
            positions.append(QPointF(column * cell / scale, 0));
        QGlyphRun glyphRun;
        glyphRun.setRawFont(Sized(*item.source.face, em));
        glyphRun.setGlyphIndexes(item.glyphs);
        glyphRun.setPositions(positions);
        painter.save();
        painter.translate(run.x, run.baseline);
        painter.scale(scale, 1);
        painter.drawGlyphRun(QPointF(0, 0), glyphRun);
        painter.restore();
    }
}

// Each glyph's set bits black at its offsets in its cell; the clear ones
// leave what is under them.
void PagePainter::PaintGlyphs(QPainter& painter, const TextRun& run) {
    static const QList<QRgb> kColours = {qRgba(0, 0, 0, 0), qRgb(0, 0, 0)};
    for (std::size_t column = 0; column < run.glyphs.size(); ++column) {
        const BitmapGlyph* glyph = run.glyphs[column].get();
        if (!glyph || glyph->width <= 0 || glyph->height <= 0)
            continue;
        QImage bits(glyph->rows.data(), glyph->width, glyph->height, glyph->RowBytes(),
                    QImage::Format_Mono);
        bits.setColorTable(kColours);
        const double left = run.x + static_cast<double>(column) * run.glyphAdvance + glyph->left;
        painter.drawImage(QRectF(left, run.baseline - glyph->top, glyph->width, glyph->height),
                          bits);
    }
}

} // namespace zl::render
