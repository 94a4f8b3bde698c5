#include "engine/SoftFont.h"

namespace zl {

namespace {

const std::string kEsc = "\x1b";

void PutByte(std::string& to, int value) {
    to += static_cast<char>(value & 0xff);
}

// Big-endian, as every field of a PCL font.
void PutWord(std::string& to, int value) {
    PutByte(to, value >> 8);
    PutByte(to, value);
}

} // namespace

int GlyphCode(int index) {
    constexpr int kLowCodes = 126 - kFirstGlyphCode + 1;
    return index < kLowCodes ? kFirstGlyphCode + index : 160 + (index - kLowCodes);
}

std::string FontIdCommand(int fontId) {
    return kEsc + "*c" + std::to_string(fontId) + "D";
}

std::string SoftFontHeader(const SoftFontCell& cell, int fontId) {
    constexpr int kHeaderSize = 64;
    const int quarterHeight = cell.height * 4;
    std::string header;
    PutWord(header, kHeaderSize);
    PutByte(header, 0);                      // format: bitmap
    PutByte(header, 1);                      // type: 8 bits, 32-127 and 160-255 printable
    PutWord(header, 0);                      // reserved
    PutWord(header, cell.baseline);          // baseline, dots from the cell's top
    PutWord(header, cell.width);             // cell width
    PutWord(header, cell.height);            // cell height
    PutByte(header, 0);                      // orientation: portrait
    PutByte(header, 0);                      // spacing: fixed
    PutWord(header, 14 * 32 + ('N' - 64));   // symbol set 0N, which no listing selects
    PutWord(header, cell.width * 4);         // pitch, quarter-dots
    PutWord(header, quarterHeight);          // height, quarter-dots
    PutWord(header, quarterHeight / 2);      // x-height
    header.append(8, '\0');                  // width type, style, weight, typeface, serif, ...
    PutByte(header, -3);                     // underline distance
    PutByte(header, 2);                      // underline height
    PutWord(header, quarterHeight);          // text height
    PutWord(header, cell.width * 4);         // text width
    PutWord(header, 32);                     // first code
    PutWord(header, 255);                    // last code
    PutWord(header, 0);                      // pitch and height extended
    PutWord(header, quarterHeight * 7 / 10); // cap height
    header.append(4, '\0');                  // font number
    std::string name = "ZelList glyphs";
    name.resize(16, ' ');
    header += name;
    return FontIdCommand(fontId) + kEsc + ")s" + std::to_string(header.size()) + "W" + header;
}

std::string CharacterDownload(int code, const GlyphBitmap& glyph, const SoftFontCell& cell) {
    std::string data;
    PutByte(data, 4);  // format: LaserJet bitmap
    PutByte(data, 0);  // no continuation
    PutByte(data, 14); // descriptor size
    PutByte(data, 1);  // class: bitmap
    PutByte(data, 0);  // orientation
    PutByte(data, 0);  // reserved
    PutWord(data, glyph.left);
    PutWord(data, glyph.top);
    PutWord(data, glyph.width);
    PutWord(data, glyph.height);
    PutWord(data, cell.width * 4); // delta X, quarter-dots
    data.append(glyph.rows.begin(), glyph.rows.end());
    return kEsc + "*c" + std::to_string(code) + "E" + kEsc + "(s" + std::to_string(data.size()) +
           "W" + data;
}

} // namespace zl
