#include "render/ListingFaces.h"

#include "platform/Exception.h"

#include <QFont>
#include <QFontDatabase>
#include <QString>

namespace zl::render {

namespace {

constexpr double kDotsPerInch = 300;
constexpr double kPointsPerInch = 72;
constexpr double kUnitsPerEm = 1000;

struct FaceName {
    const char* family;
    const char* style; // empty: the family's regular face
    const char* package;
};

// In the order of Face.
constexpr FaceName kFaces[kFaceCount] = {
    {"Nimbus Mono PS", "Regular", "fonts-urw-base35"},
    {"Nimbus Mono PS", "Bold", "fonts-urw-base35"},
    {"Nimbus Mono PS", "Italic", "fonts-urw-base35"},
    {"Nimbus Mono PS", "Bold Italic", "fonts-urw-base35"},
    {"League Mono", "Condensed UltraLight", "fonts-league-mono"}};
constexpr FaceName kFallback{"DejaVu Sans Mono", "", "fonts-dejavu-core"};

// The installed face `name` at 1000 pixels to the em. The system gives some
// other face for a name it does not know; that one is refused (and the name
// is looked up first: Qt's stand-in where there are no fonts at all has no
// family to ask for).
QRawFont Find(const FaceName& name) {
    const QString family = QString::fromLatin1(name.family);
    QRawFont face;
    if (QFontDatabase::hasFamily(family)) {
        QFont font(family);
        if (*name.style)
            font.setStyleName(QString::fromLatin1(name.style));
        font.setStyleHint(QFont::Monospace);
        font.setHintingPreference(QFont::PreferNoHinting);
        face = QRawFont::fromFont(font);
    }
    const bool found = face.isValid() && face.familyName() == family &&
                       (!*name.style || face.styleName() == QLatin1String(name.style));
    if (!found) {
        const std::string what =
            std::string(name.family) + (*name.style ? std::string(" ") + name.style : "");
        throw Exception("cannot draw the listing: the font " + what +
                        " is not installed (Debian package " + name.package + ")");
    }
    face.setPixelSize(kUnitsPerEm);
    return face;
}

double AdvanceOf(const QRawFont& face) {
    const QList<quint32> glyphs = face.glyphIndexesForString(QStringLiteral("M"));
    const QList<QPointF> advances = face.advancesForGlyphIndexes(glyphs);
    return advances.isEmpty() ? 0 : advances.first().x();
}

} // namespace

quint32 GlyphIn(const QRawFont& face, char32_t c) {
    const QString text = QString::fromUcs4(&c, 1);
    quint32 glyphs[2] = {0, 0};
    int count = 2;
    if (!face.glyphIndexesForChars(text.constData(), static_cast<int>(text.size()), glyphs,
                                   &count) ||
        count < 1)
        return 0;
    return glyphs[0];
}

Face FaceOf(const FontChoice& font) {
    if (font.typeface == kLinePrinterTypeface && !font.bold && !font.italic)
        return Face::LinePrinter;
    if (font.bold)
        return font.italic ? Face::CourierBoldItalic : Face::CourierBold;
    return font.italic ? Face::CourierItalic : Face::Courier;
}

ListingFaces::ListingFaces() : fallback_(Find(kFallback)), fallbackAdvance_(AdvanceOf(fallback_)) {
    for (int i = 0; i < kFaceCount; ++i) {
        faces_[i] = Find(kFaces[i]);
        runFaces_[i] = {&faces_[i], AdvanceOf(faces_[i])};
    }
}

RunFace ListingFaces::FaceOf(Face face) const {
    return runFaces_[static_cast<int>(face)];
}

GlyphSource ListingFaces::GlyphOf(Face which, char32_t c) const {
    const RunFace face = FaceOf(which);
    if (const quint32 glyph = GlyphIn(*face.face, c))
        return GlyphSource{face.face, glyph, 1};
    return FallbackGlyphOf(face, c);
}

std::string ListingFaces::NameOf(Face face) const {
    const QRawFont& raw = faces_[static_cast<int>(face)];
    QString name = raw.familyName() + "-" + raw.styleName();
    name.remove(' ');
    return name.toStdString();
}

// The fallback's glyph (its box for a character it lacks too), narrowed or
// widened to the face's advance.
GlyphSource ListingFaces::FallbackGlyphOf(const RunFace& face, char32_t c) const {
    return GlyphSource{&fallback_, GlyphIn(fallback_, c),
                       fallbackAdvance_ > 0 ? face.advance / fallbackAdvance_ : 1};
}

double EmDots(const FontChoice& font) {
    return font.height * kDotsPerInch / kPointsPerInch;
}

double CellStretch(const FontChoice& font, double advance) {
    const double natural = EmDots(font) * advance / kUnitsPerEm;
    return natural > 0 && font.pitch > 0 ? CellWidth(font.pitch) / natural : 1;
}

} // namespace zl::render
