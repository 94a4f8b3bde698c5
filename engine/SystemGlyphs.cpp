#include "engine/SystemGlyphs.h"

#include "engine/ListingOptions.h"

#ifndef _WIN32
#include "engine/FontconfigLibrary.h"
#include "engine/FreeTypeLibrary.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>
#endif

namespace zl {

#ifdef _WIN32

struct SystemGlyphs::Faces {};

SystemGlyphs::Faces* SystemGlyphs::Open() {
    return nullptr;
}

bool SystemGlyphs::Has(char32_t, bool) {
    return false;
}

std::optional<GlyphBitmap> SystemGlyphs::Draw(char32_t, bool) {
    return std::nullopt;
}

std::optional<GlyphBitmap> SystemGlyphs::Draw(const std::u32string&) {
    return std::nullopt;
}

SoftFontCell SystemGlyphs::Cell(bool wide) {
    return {wide ? 2 * cellWidth_ : cellWidth_, 0, 0};
}

#else

namespace {

// The faces the glyphs come from, as fontconfig names them; the first that
// has a character draws it. Beside Courier: Courier's own outline, then
// faces of its kind with more scripts (FreeMono has Vietnamese, Hebrew and
// more). Beside Line Printer: the light face the preview draws it in, which
// has no Cyrillic or Greek, then a light face that has them, then Courier's.
// The last for CJK and Hangul, drawn two cells wide.
const char* const kCourierFaces[] = {"Nimbus Mono PS:style=Regular", "FreeMono:style=Regular",
                                     "DejaVu Sans Mono:style=Book",
                                     "WenQuanYi Zen Hei:style=Regular"};
const char* const kLinePrinterFaces[] = {"League Mono Condensed UltraLight", "DejaVu Sans Light"};

// The height of the listing's capitals in dots: Courier's are 563/1000 of
// its em, whose advance, 600/1000, is the cell; Line Printer's 700/1000 of
// its 8.5 point.
double CapHeight(int cellWidth, bool linePrinter) {
    return linePrinter ? 8.5 * 300 / 72 * 0.7 : cellWidth * 563.0 / 600.0;
}

// Monochrome, hinted for it.
constexpr FT_Int32 kLoad = FT_LOAD_TARGET_MONO;

// 26.6 fixed point to dots.
double Dots(FT_Pos value) {
    return static_cast<double>(value) / 64;
}

// The bitmap FreeType rendered into `slot`, one bit a dot; none when it is
// not one.
std::optional<GlyphBitmap> BitmapOf(const FT_GlyphSlot slot) {
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO && bitmap.rows > 0)
        return std::nullopt;
    GlyphBitmap glyph;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.height = static_cast<int>(bitmap.rows);
    const std::size_t rowBytes = (bitmap.width + 7) / 8;
    glyph.rows.resize(rowBytes * bitmap.rows);
    for (unsigned row = 0; row < bitmap.rows; ++row)
        std::memcpy(glyph.rows.data() + row * rowBytes,
                    bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch, rowBytes);
    return glyph;
}

// A face fontconfig found, opened and sized when first needed.
struct Source {
    FcPattern* match = nullptr; // its file, index and characters
    FT_Face face = nullptr;
    bool opened = false;
};

} // namespace

struct SystemGlyphs::Faces {
    const FreeTypeLibrary& ft;
    const FontconfigLibrary& fc;
    FT_Library library = nullptr;
    std::vector<Source> sources;
    double capHeight = 0; // dots
    int above = 0;        // ink rows the line has above the baseline
    int below = 0;        // and from it down
    SoftFontCell cell;

    Faces(const FreeTypeLibrary& loadedFt, const FontconfigLibrary& loadedFc)
        : ft(loadedFt), fc(loadedFc) {}
    ~Faces() {
        for (const Source& source : sources) {
            if (source.face)
                ft.FT_Done_Face(source.face);
            fc.FcPatternDestroy(source.match);
        }
        if (library)
            ft.FT_Done_FreeType(library);
    }

    // Adds the face `name` asks for, when it is installed: fontconfig offers
    // some face whatever the family, and only the family asked for will do.
    void Find(const char* name) {
        FcPattern* pattern = fc.FcNameParse(reinterpret_cast<const FcChar8*>(name));
        if (!pattern)
            return;
        fc.FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        fc.FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = fc.FcFontMatch(nullptr, pattern, &result);
        fc.FcPatternDestroy(pattern);
        if (!match)
            return;
        const std::string family(name, std::strcspn(name, ":"));
        FcChar8* found = nullptr;
        for (int n = 0; fc.FcPatternGetString(match, FC_FAMILY, n, &found) == FcResultMatch; ++n) {
            if (fc.FcStrCmpIgnoreCase(found, reinterpret_cast<const FcChar8*>(family.c_str())) ==
                0) {
                sources.push_back({match});
                return;
            }
        }
        fc.FcPatternDestroy(match);
    }

    // The face of `source`, at the size where its H is as tall as the
    // listing's capitals; null when it cannot be opened.
    FT_Face FaceOf(Source& source) {
        if (source.opened)
            return source.face;
        source.opened = true;
        FcChar8* file = nullptr;
        int index = 0;
        if (fc.FcPatternGetString(source.match, FC_FILE, 0, &file) != FcResultMatch)
            return nullptr;
        fc.FcPatternGetInteger(source.match, FC_INDEX, 0, &index);
        FT_Face face = nullptr;
        if (ft.FT_New_Face(library, reinterpret_cast<const char*>(file), index, &face) != 0)
            return nullptr;
        const FT_UInt capital = ft.FT_Get_Char_Index(face, 'H');
        if (capital == 0 || ft.FT_Load_Glyph(face, capital, FT_LOAD_NO_SCALE) != 0 ||
            face->glyph->metrics.horiBearingY <= 0 ||
            ft.FT_Set_Char_Size(face, 0,
                                std::lround(capHeight * face->units_per_EM /
                                            static_cast<double>(face->glyph->metrics.horiBearingY) *
                                            64),
                                72, 72) != 0) {
            ft.FT_Done_Face(face);
            return nullptr;
        }
        source.face = face;
        return face;
    }

    // The first face with a glyph for `c`, and the glyph's index in it.
    FT_Face FaceFor(char32_t c, FT_UInt& index) {
        for (Source& source : sources) {
            FcCharSet* characters = nullptr;
            if (fc.FcPatternGetCharSet(source.match, FC_CHARSET, 0, &characters) != FcResultMatch ||
                !fc.FcCharSetHasChar(characters, c))
                continue;
            FT_Face face = FaceOf(source);
            index = face ? ft.FT_Get_Char_Index(face, c) : 0;
            if (index != 0)
                return face;
        }
        return nullptr;
    }

    // Loads the glyph `index` of `face` as drawn at its size; false when it
    // cannot.
    bool Load(FT_Face face, FT_UInt index, FT_Matrix* matrix, FT_Vector* delta,
              FT_Int32 flags) const {
        ft.FT_Set_Transform(face, matrix, delta);
        return ft.FT_Load_Glyph(face, index, flags) == 0;
    }
};

SystemGlyphs::Faces* SystemGlyphs::Open() {
    if (opened_)
        return faces_.get();
    opened_ = true;
    const FreeTypeLibrary* ft = FreeTypeLibrary::Get();
    const FontconfigLibrary* fc = FontconfigLibrary::Get();
    if (!ft || !fc)
        return nullptr;
    auto faces = std::make_unique<Faces>(*ft, *fc);
    if (ft->FT_Init_FreeType(&faces->library) != 0)
        return nullptr;
    faces->capHeight = CapHeight(cellWidth_, linePrinter_);
    if (linePrinter_)
        for (const char* name : kLinePrinterFaces)
            faces->Find(name);
    for (const char* name : kCourierFaces)
        faces->Find(name);
    // The line keeps a blank row between its ink and the next line's, and
    // below the baseline room for descenders as deep as a p's ink.
    const int rows = static_cast<int>(lineHeight_) - 1;
    FT_UInt index = 0;
    FT_Face face = faces->FaceFor('p', index);
    if (!face || !faces->Load(face, index, nullptr, nullptr, kLoad | FT_LOAD_RENDER))
        return nullptr;
    faces->below = static_cast<int>(face->glyph->bitmap.rows) - face->glyph->bitmap_top;
    faces->above = rows - faces->below;
    faces->cell = {cellWidth_, rows + 1, faces->above + 1};
    faces_ = std::move(faces);
    return faces_.get();
}

// A glyph with ink: spaces and characters that only format text have none,
// and print nearer as a blank or not at all.
bool SystemGlyphs::Has(char32_t c, bool wide) {
    const std::optional<GlyphBitmap> glyph = Draw(c, wide);
    return glyph && std::any_of(glyph->rows.begin(), glyph->rows.end(),
                                [](unsigned char bits) { return bits != 0; });
}

// The glyph as its face draws it, made smaller where it would reach into the
// line above or below, narrower where it is wider than the cell (leaving a
// blank column before the next), its advance centred in the cell and moved
// by whole dots where its ink would cross the cell's edges.
std::optional<GlyphBitmap> SystemGlyphs::Draw(char32_t c, bool wide) {
    const int cellWidth = wide ? 2 * cellWidth_ : cellWidth_;
    Faces* faces = Open();
    if (!faces)
        return std::nullopt;
    FT_UInt index = 0;
    const FT_Face face = faces->FaceFor(c, index);
    if (!face || !faces->Load(face, index, nullptr, nullptr, kLoad))
        return std::nullopt;
    const FT_Glyph_Metrics& metrics = face->glyph->metrics;
    const double top = Dots(metrics.horiBearingY);
    const double bottom = Dots(metrics.height - metrics.horiBearingY);
    const double width = Dots(metrics.width);
    double scale = 1;
    if (top > faces->above)
        scale = faces->above / top;
    if (bottom > faces->below)
        scale = std::min(scale, faces->below / bottom);
    const double room = cellWidth - 2;
    const double sideways = width * scale > room ? room / width : scale;
    const double left = Dots(metrics.horiBearingX) * sideways;
    const double right = left + width * sideways;
    double shift = std::round((cellWidth - Dots(metrics.horiAdvance) * sideways) / 2);
    shift = std::min(std::max(shift, std::ceil(-left)), std::floor(cellWidth - 1 - right));
    FT_Matrix matrix{std::lround(sideways * 0x10000), 0, 0, std::lround(scale * 0x10000)};
    FT_Vector delta{std::lround(shift * 64), 0};
    if (!faces->Load(face, index, &matrix, &delta, kLoad | FT_LOAD_RENDER))
        return std::nullopt;
    return BitmapOf(face->glyph);
}

// A base and its combining marks as one glyph in one cell: each mark drawn
// as its face places it up and down, its ink centred over the base's; what
// would leave the cell or the line is cut off. None when the base or a mark
// has no glyph.
std::optional<GlyphBitmap> SystemGlyphs::Draw(const std::u32string& cluster) {
    if (cluster.empty())
        return std::nullopt;
    std::optional<GlyphBitmap> base = Draw(cluster[0]);
    Faces* faces = Open();
    if (!base || !faces)
        return std::nullopt;
    // Dots from the cell's left and down from the top of the line's room.
    const int rows = faces->above + faces->below;
    std::vector<bool> dots(static_cast<std::size_t>(cellWidth_ * rows), false);
    const auto put = [&](const GlyphBitmap& glyph, int dx) {
        for (int y = 0; y < glyph.height; ++y) {
            for (int x = 0; x < glyph.width; ++x) {
                const int column = glyph.left + dx + x;
                const int row = faces->above - glyph.top + y;
                if (glyph.Bit(x, y) && column >= 0 && column < cellWidth_ - 1 && row >= 0 &&
                    row < rows)
                    dots[static_cast<std::size_t>(row * cellWidth_ + column)] = true;
            }
        }
    };
    put(*base, 0);
    const double baseCentre = base->left + base->width / 2.0;
    for (std::size_t i = 1; i < cluster.size(); ++i) {
        FT_UInt index = 0;
        const FT_Face face = faces->FaceFor(cluster[i], index);
        if (!face || !faces->Load(face, index, nullptr, nullptr, kLoad | FT_LOAD_RENDER))
            return std::nullopt;
        const std::optional<GlyphBitmap> mark = BitmapOf(face->glyph);
        if (!mark)
            return std::nullopt;
        put(*mark, static_cast<int>(std::lround(baseCentre - (mark->left + mark->width / 2.0))));
    }
    GlyphBitmap glyph;
    glyph.left = 0;
    glyph.top = faces->above;
    glyph.width = cellWidth_;
    glyph.height = rows;
    glyph.rows.assign(static_cast<std::size_t>(glyph.RowBytes() * rows), 0);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < cellWidth_; ++x) {
            if (dots[static_cast<std::size_t>(y * cellWidth_ + x)])
                glyph.rows[static_cast<std::size_t>(y * glyph.RowBytes() + x / 8)] |=
                    static_cast<unsigned char>(0x80 >> (x % 8));
        }
    }
    return glyph;
}

SoftFontCell SystemGlyphs::Cell(bool wide) {
    const Faces* faces = Open();
    SoftFontCell cell = faces ? faces->cell : SoftFontCell{cellWidth_, 0, 0};
    if (wide)
        cell.width *= 2;
    return cell;
}

#endif

SystemGlyphs::SystemGlyphs(int cellWidth, bool linePrinter, double lineHeight)
    : cellWidth_(cellWidth), linePrinter_(linePrinter), lineHeight_(lineHeight) {}

// The cell of the face's pitch, 300 / 16.67 or 300 / 10 dots, and the line
// of 6 or 8 lines per inch.
SystemGlyphs::SystemGlyphs(const ListingOptions& options)
    : SystemGlyphs(options.compressed ? 18 : 30, options.linePrinter,
                   options.sixLpi ? 300.0 / 6 : 300.0 / 8) {}

SystemGlyphs::~SystemGlyphs() = default;

} // namespace zl
