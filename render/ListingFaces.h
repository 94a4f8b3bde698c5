// The faces a listing is drawn in, found by family name among the system's
// fonts: Nimbus Mono PS, a Courier metric for metric, for the printer's
// Courier; League Mono Condensed UltraLight, a condensed sans, for its Line
// Printer, whose bitmap strokes are about 2 dots wide at 300 dpi (the
// regular weight's are nearly twice that); DejaVu Sans Mono for the
// characters a face lacks. Each face is sized by the printer's rule: its em
// is the printed font's height in points (12 at 10 cpi, 7.2 at 16.67 cpi for
// Courier, 8.5 for Line Printer), and its advance is scaled sideways to the
// cell of the pitch. At 8.5 point League Mono's ink from ascender to
// descender spans the em, 35 dots, as the Line Printer's does.
#pragma once

#include "render/PageModel.h"

#include <QRawFont>

#include <string>

namespace zl::render {

// Where the outline of one character comes from.
struct GlyphSource {
    const QRawFont* face = nullptr; // at 1000 pixels to the em
    quint32 glyph = 0;
    // Sideways scale that gives a fallback glyph the face's own advance.
    double widthScale = 1;
};

// A face and how its runs are laid out.
struct RunFace {
    const QRawFont* face = nullptr; // at 1000 pixels to the em
    double advance = 0;             // of its characters, in thousandths of the em
};

// The faces runs are drawn in, numbered from 0.
enum class Face { Courier, CourierBold, CourierItalic, CourierBoldItalic, LinePrinter };
constexpr int kFaceCount = 5;

// The face of a printed font: Line Printer for typeface 0 (only upright and
// medium: the printer prints Courier for its bold or italic), else Courier
// in the font's weight and style.
Face FaceOf(const FontChoice& font);

class ListingFaces {
public:
    // Finds the faces; raises zl::Exception naming a face that is not
    // installed and the package that brings it. Needs a GUI application.
    ListingFaces();
    ListingFaces(const ListingFaces&) = delete;
    ListingFaces& operator=(const ListingFaces&) = delete;

    RunFace FaceOf(Face face) const;
    // Where character `c` of a run in `face` is drawn from: the face, or
    // the fallback where the face lacks it.
    GlyphSource GlyphOf(Face face, char32_t c) const;
    // The same for a character that `face` lacks.
    GlyphSource FallbackGlyphOf(const RunFace& face, char32_t c) const;
    // The face's name for documents that name their fonts
    // ("NimbusMonoPS-Bold").
    std::string NameOf(Face face) const;

private:
    QRawFont faces_[kFaceCount];
    QRawFont fallback_;
    RunFace runFaces_[kFaceCount];
    double fallbackAdvance_ = 0;
};

// The glyph of `c` in `face`, 0 where it has none.
quint32 GlyphIn(const QRawFont& face, char32_t c);

// The em of `font` in 300-dpi dots: its height in points.
double EmDots(const FontChoice& font);

// The horizontal scale that makes characters of `advance` thousandths of
// the em fill the cell of `font`'s pitch.
double CellStretch(const FontChoice& font, double advance);

} // namespace zl::render
