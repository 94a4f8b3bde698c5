#include "render/PdfFonts.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zl::render {

namespace {

// Fonts are kept by the face they draw, a face's number; downloaded glyphs
// come after the faces.
constexpr int kBitmapKey = kFaceCount;

bool IsPrintableAscii(char32_t c) {
    return c >= 32 && c <= 126;
}

// The codes a character beyond printable ASCII may take, in order.
std::vector<unsigned char> CodesBeyondAscii() {
    std::vector<unsigned char> codes;
    for (int code = 128; code <= 255; ++code)
        codes.push_back(static_cast<unsigned char>(code));
    for (int code = 1; code < 32; ++code)
        codes.push_back(static_cast<unsigned char>(code));
    codes.push_back(127);
    codes.push_back(0);
    return codes;
}

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

// The glyph name that tells a reader which character the glyph is.
std::string GlyphName(char32_t c) {
    return c > 0xFFFF ? "u" + Hex(c, 6) : "uni" + Hex(c, 4);
}

// `c` in UTF-16BE, in hexadecimal.
std::string Utf16Hex(char32_t c) {
    if (c <= 0xFFFF)
        return Hex(c, 4);
    const char32_t v = c - 0x10000;
    return Hex(0xD800 + (v >> 10), 4) + Hex(0xDC00 + (v & 0x3FF), 4);
}

void AppendPoint(std::string& out, const QPointF& point, double widthScale) {
    AppendNumber(out, std::round(point.x() * widthScale));
    out += ' ';
    AppendNumber(out, std::round(-point.y()));
    out += ' ';
}

// The outline as PDF path operators, in thousandths of the em with y up,
// its x scaled by `widthScale`.
std::string PathOperators(const QPainterPath& path, double widthScale) {
    std::string ops;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element& element = path.elementAt(i);
        if (element.isMoveTo()) {
            if (i > 0)
                ops += "h\n";
            AppendPoint(ops, element, widthScale);
            ops += "m\n";
        } else if (element.isLineTo()) {
            AppendPoint(ops, element, widthScale);
            ops += "l\n";
        } else if (element.isCurveTo() && i + 2 < path.elementCount()) {
            AppendPoint(ops, element, widthScale);
            AppendPoint(ops, path.elementAt(i + 1), widthScale);
            AppendPoint(ops, path.elementAt(i + 2), widthScale);
            ops += "c\n";
            i += 2;
        }
    }
    if (!ops.empty())
        ops += "h\nf\n";
    return ops;
}

// The map from codes to characters that text extraction reads: `entries`
// ("<code><UTF-16BE>"), at most 100 to a block.
std::string ToUnicodeMap(const std::vector<std::string>& entries) {
    std::string map = "/CIDInit/ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                      "/CIDSystemInfo<</Registry(Adobe)/Ordering(UCS)/Supplement 0>>def\n"
                      "/CMapName/Adobe-Identity-UCS def\n/CMapType 2 def\n"
                      "1 begincodespacerange\n<00><FF>\nendcodespacerange\n";
    for (std::size_t start = 0; start < entries.size(); start += 100) {
        const std::size_t end = std::min(entries.size(), start + 100);
        map += std::to_string(end - start) + " beginbfchar\n";
        for (std::size_t i = start; i < end; ++i)
            map += entries[i] + "\n";
        map += "endbfchar\n";
    }
    return map + "endcmap\nCMapName currentdict/CMap defineresource pop\nend\nend\n";
}

// The numbers separated by blanks.
std::string Numbers(const std::array<double, 4>& numbers) {
    std::string text;
    for (double number : numbers) {
        text += text.empty() ? "" : " ";
        AppendNumber(text, number);
    }
    return text;
}

// A bitmap glyph as a PDF glyph procedure in dots, with y up from the
// baseline: its bits an image mask (set bits paint) at its offsets. A blank
// draws nothing.
std::string BitmapProcedure(const BitmapGlyph* glyph, double advance, std::array<double, 4>& box) {
    std::string procedure;
    AppendNumber(procedure, advance);
    if (!glyph || glyph->width <= 0 || glyph->height <= 0) {
        box = {0, 0, 0, 0};
        return procedure + " 0 0 0 0 0 d1\n";
    }
    const std::string width = std::to_string(glyph->width);
    const std::string height = std::to_string(glyph->height);
    const int bottom = glyph->top - glyph->height;
    box = {static_cast<double>(glyph->left), static_cast<double>(bottom),
           static_cast<double>(glyph->left + glyph->width), static_cast<double>(glyph->top)};
    procedure += " 0 " + Numbers(box) + " d1\nq " + width + " 0 0 " + height + " " +
                 std::to_string(glyph->left) + " " + std::to_string(bottom) + " cm\nBI/W " + width +
                 "/H " + height + "/IM true/BPC 1/D[1 0]/F/AHx ID\n";
    for (unsigned char byte : glyph->rows)
        procedure += Hex(byte, 2);
    return procedure + ">\nEI Q\n";
}

} // namespace

struct PdfFonts::Font {
    int key = 0;
    RunFace face; // none for glyphs of downloaded fonts
    int object = 0;
    std::array<char32_t, 256> chars{};
    std::array<bool, 256> used{};
    // Glyphs of downloaded fonts: each code's glyph (null: a blank), and
    // its advance in dots.
    std::array<std::shared_ptr<const BitmapGlyph>, 256> glyphs;
    std::array<double, 256> advances{};
};

PdfFonts::PdfFonts(const ListingFaces& faces, PdfWriter& writer) : faces_(faces), writer_(writer) {}

PdfFonts::~PdfFonts() = default;

PdfFonts::Coded PdfFonts::Encode(Face face, char32_t c) {
    const int key = static_cast<int>(face);
    std::unordered_map<char32_t, Coded>& known = coded_[key];
    const auto found = known.find(c);
    if (found != known.end())
        return found->second;
    const Coded coded = Place(key, c);
    known.emplace(c, coded);
    return coded;
}

PdfFonts::Coded PdfFonts::EncodeGlyph(const std::shared_ptr<const BitmapGlyph>& glyph, char32_t c,
                                      double advance) {
    const auto key = std::make_tuple(glyph.get(), c, advance);
    const auto found = glyphsCoded_.find(key);
    if (found != glyphsCoded_.end())
        return found->second;
    const Coded coded = Place(kBitmapKey, c);
    Font& font = *fonts_[static_cast<std::size_t>(coded.font - 1)];
    font.glyphs[coded.code] = glyph;
    font.advances[coded.code] = advance;
    glyphsCoded_.emplace(key, coded);
    return coded;
}

PdfFonts::Coded PdfFonts::Place(int key, char32_t c) {
    Coded coded;
    for (std::size_t i = 0;; ++i) {
        if (i == fonts_.size()) {
            auto font = std::make_unique<Font>();
            font->key = key;
            if (key != kBitmapKey)
                font->face = faces_.FaceOf(static_cast<Face>(key));
            font->object = writer_.Reserve();
            fonts_.push_back(std::move(font));
        }
        if (fonts_[i]->key == key && Take(*fonts_[i], c, coded.code)) {
            coded.font = static_cast<int>(i) + 1;
            return coded;
        }
    }
}

bool PdfFonts::Take(Font& font, char32_t c, unsigned char& code) {
    static const std::vector<unsigned char> kBeyondAscii = CodesBeyondAscii();
    if (IsPrintableAscii(c)) {
        code = static_cast<unsigned char>(c);
        if (font.used[code])
            return false;
    } else {
        const auto free =
            std::find_if(kBeyondAscii.begin(), kBeyondAscii.end(),
                         [&](unsigned char candidate) { return !font.used[candidate]; });
        if (free == kBeyondAscii.end())
            return false;
        code = *free;
    }
    font.used[code] = true;
    font.chars[code] = c;
    return true;
}

int PdfFonts::ObjectOf(int font) const {
    return fonts_.at(static_cast<std::size_t>(font - 1))->object;
}

void PdfFonts::WriteAll() {
    for (const auto& font : fonts_)
        WriteFont(*font);
}

std::string PdfFonts::GlyphProcedure(const Font& font, char32_t c,
                                     std::array<double, 4>& box) const {
    const GlyphSource source = faces_.GlyphOf(static_cast<Face>(font.key), c);
    const QPainterPath path = source.face->pathForGlyph(source.glyph);
    const std::string ops = PathOperators(path, source.widthScale);
    const QRectF bounds = path.controlPointRect();
    box = ops.empty() ? std::array<double, 4>{0, 0, 0, 0}
                      : std::array<double, 4>{std::floor(bounds.left() * source.widthScale),
                                              std::floor(-bounds.bottom()),
                                              std::ceil(bounds.right() * source.widthScale),
                                              std::ceil(-bounds.top())};
    std::string procedure;
    AppendNumber(procedure, font.face.advance);
    return procedure + " 0 " + Numbers(box) + " d1\n" + ops;
}

void PdfFonts::WriteFont(const Font& font) {
    const bool bitmaps = font.key == kBitmapKey;
    const auto advance = [&](int code) {
        return bitmaps ? font.advances[static_cast<std::size_t>(code)] : font.face.advance;
    };
    std::string procedures, differences, widths;
    std::vector<std::string> unicodes;
    std::array<double, 4> fontBox{0, 0, 0, 0};
    int first = -1, last = 0;
    for (int code = 0; code < 256; ++code) {
        const auto at = static_cast<std::size_t>(code);
        if (!font.used[at])
            continue;
        first = first < 0 ? code : first;
        last = code;
        const char32_t c = font.chars[at];
        std::array<double, 4> box{};
        const int procedure = writer_.Reserve();
        writer_.WriteStream(procedure,
                            bitmaps ? BitmapProcedure(font.glyphs[at].get(), advance(code), box)
                                    : GlyphProcedure(font, c, box));
        fontBox = {std::min(fontBox[0], box[0]), std::min(fontBox[1], box[1]),
                   std::max(fontBox[2], box[2]), std::max(fontBox[3], box[3])};
        // Glyphs of downloaded fonts may stand for the same character.
        const std::string name = GlyphName(c) + (bitmaps ? "." + std::to_string(code) : "");
        procedures += "/" + name + " " + std::to_string(procedure) + " 0 R";
        differences += std::to_string(code) + "/" + name + " ";
        unicodes.push_back("<" + Hex(static_cast<unsigned>(code), 2) + "><" + Utf16Hex(c) + ">");
    }
    first = std::max(first, 0);
    for (int code = first; code <= last; ++code) {
        widths += code > first ? " " : "";
        AppendNumber(widths, font.used[static_cast<std::size_t>(code)] ? advance(code) : 0);
    }
    const int toUnicode = writer_.Reserve();
    writer_.WriteStream(toUnicode, ToUnicodeMap(unicodes));
    writer_.WriteObject(
        font.object, "<</Type/Font/Subtype/Type3" +
                         // Named as the face, for readers that list the fonts.
                         (bitmaps ? std::string()
                                  : "/Name/" + faces_.NameOf(static_cast<Face>(font.key)) +
                                        "/BaseFont/" + faces_.NameOf(static_cast<Face>(font.key))) +
                         "/FontBBox[" + Numbers(fontBox) + "]/FontMatrix" +
                         (bitmaps ? "[1 0 0 1 0 0]" : "[0.001 0 0 0.001 0 0]") + "/CharProcs<<" +
                         procedures + ">>/Encoding<</Type/Encoding/Differences[" + differences +
                         "]>>/FirstChar " + std::to_string(first) + "/LastChar " +
                         std::to_string(last) + "/Widths[" + widths + "]/Resources<<>>/ToUnicode " +
                         std::to_string(toUnicode) + " 0 R>>");
}

} // namespace zl::render
