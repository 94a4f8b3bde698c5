#include "engine/SystemGlyphs.h"

#ifndef _WIN32
#include "engine/FreeTypeLibrary.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#endif

namespace zl {

#ifdef _WIN32

struct SystemGlyphs::Face {};

SystemGlyphs::Face* SystemGlyphs::Open() {
    return nullptr;
}

bool SystemGlyphs::Has(char32_t) {
    return false;
}

std::optional<GlyphBitmap> SystemGlyphs::Draw(char32_t) {
    return std::nullopt;
}

SoftFontCell SystemGlyphs::Cell() {
    return {cellWidth_, 0, 0};
}

#else

namespace {

// Where the distributions install the face.
const char* const kFacePaths[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf",
    "/usr/share/fonts/dejavu-sans-mono-fonts/DejaVuSansMono.ttf",
    "/usr/share/fonts/TTF/DejaVuSansMono.ttf",
    "/usr/share/fonts/dejavu/DejaVuSansMono.ttf",
};

// 26.6 fixed point to whole dots, rounded.
int Dots(FT_Pos value) {
    return static_cast<int>((value + 32) >> 6);
}

} // namespace

struct SystemGlyphs::Face {
    const FreeTypeLibrary& ft;
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    SoftFontCell cell;

    explicit Face(const FreeTypeLibrary& loaded) : ft(loaded) {}
    ~Face() {
        if (face)
            ft.FT_Done_Face(face);
        if (library)
            ft.FT_Done_FreeType(library);
    }
};

SystemGlyphs::Face* SystemGlyphs::Open() {
    if (opened_)
        return face_.get();
    opened_ = true;
    const FreeTypeLibrary* ft = FreeTypeLibrary::Get();
    if (!ft)
        return nullptr;
    auto face = std::make_unique<Face>(*ft);
    if (ft->FT_Init_FreeType(&face->library) != 0)
        return nullptr;
    for (const char* path : kFacePaths)
        if (ft->FT_New_Face(face->library, path, 0, &face->face) == 0)
            break;
    if (!face->face)
        return nullptr;
    // The size at which a digit's advance is the cell.
    const FT_UInt digit = ft->FT_Get_Char_Index(face->face, '0');
    if (digit == 0 || ft->FT_Load_Glyph(face->face, digit, FT_LOAD_NO_SCALE) != 0 ||
        face->face->glyph->advance.x <= 0)
        return nullptr;
    const double pixels = static_cast<double>(cellWidth_) * face->face->units_per_EM /
                          static_cast<double>(face->face->glyph->advance.x);
    if (ft->FT_Set_Pixel_Sizes(face->face, 0, static_cast<FT_UInt>(std::lround(pixels))) != 0)
        return nullptr;
    const FT_Size_Metrics& metrics = face->face->size->metrics;
    face->cell = {cellWidth_, Dots(metrics.ascender - metrics.descender), Dots(metrics.ascender)};
    face_ = std::move(face);
    return face_.get();
}

// A glyph with ink: spaces and characters that only format text have none,
// and print nearer as a blank or not at all.
bool SystemGlyphs::Has(char32_t c) {
    const std::optional<GlyphBitmap> glyph = Draw(c);
    return glyph && std::any_of(glyph->rows.begin(), glyph->rows.end(),
                                [](unsigned char bits) { return bits != 0; });
}

std::optional<GlyphBitmap> SystemGlyphs::Draw(char32_t c) {
    Face* face = Open();
    if (!face)
        return std::nullopt;
    const FT_UInt index = face->ft.FT_Get_Char_Index(face->face, c);
    if (index == 0 ||
        face->ft.FT_Load_Glyph(face->face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0)
        return std::nullopt;
    const FT_GlyphSlot slot = face->face->glyph;
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

SoftFontCell SystemGlyphs::Cell() {
    const Face* face = Open();
    return face ? face->cell : SoftFontCell{cellWidth_, 0, 0};
}

#endif

SystemGlyphs::SystemGlyphs(int cellWidth) : cellWidth_(cellWidth) {}

SystemGlyphs::~SystemGlyphs() = default;

} // namespace zl
