#include "render/SoftFontStore.h"

namespace zl::render {

namespace {

constexpr std::size_t kMaxFonts = 32;
// PCL 5's largest character, in dots either way.
constexpr int kMaxGlyphDots = 16384;
// The bytes of glyphs kept, and those defined while one page is drawn: a
// page keeps the glyphs it printed even once they are deleted or replaced.
constexpr std::size_t kMaxStoredBytes = 4 << 20;
constexpr std::size_t kMaxBytesPerPage = 16 << 20;
// What a glyph costs beyond its bits.
constexpr std::size_t kGlyphOverhead = sizeof(BitmapGlyph) + 32;

constexpr std::size_t kFontHeaderSize = 64;
constexpr std::size_t kCharacterDescriptorSize = 16; // with its format and continuation bytes

// Fields of a font header and a character descriptor: big-endian.
int Word(const unsigned char* data, std::size_t at) {
    return data[at] << 8 | data[at + 1];
}
int SignedWord(const unsigned char* data, std::size_t at) {
    const int word = Word(data, at);
    return word >= 0x8000 ? word - 0x10000 : word;
}

std::size_t Cost(const BitmapGlyph& glyph) {
    return glyph.rows.size() + kGlyphOverhead;
}

int ValueOf(const PclCommand& command) {
    return command.value < 0 || command.value > 65535 ? -1 : static_cast<int>(command.value);
}

} // namespace

void SoftFontStore::Command(const PclCommand& command) {
    const int value = ValueOf(command);
    if (value < 0)
        return;
    switch (command.terminator) {
    case 'D':
        fontId_ = value;
        return;
    case 'E':
        code_ = value;
        return;
    case 'F':
        if (value == 0 || value == 1) {
            Reset();
        } else if (value == 2) {
            Delete(fontId_);
        } else if (value == 3 && code_ < 256) {
            const auto font = fonts_.find(fontId_);
            if (font != fonts_.end())
                DeleteGlyph(font->second.glyphs[static_cast<std::size_t>(code_)]);
        }
        return;
    default:
        return;
    }
}

bool SoftFontStore::Select(const PclCommand& command) {
    const int before = selected_;
    const char t = command.terminator;
    if (command.group == 0 && t == 'X') {
        const int id = ValueOf(command);
        if (id >= 0 && fonts_.count(id) > 0)
            selected_ = id;
    } else if ((command.group == 0 && t >= '@' && t <= 'Z') ||
               (command.group == 's' &&
                (t == 'P' || t == 'H' || t == 'V' || t == 'S' || t == 'B' || t == 'T'))) {
        selected_ = -1;
    }
    return selected_ != before;
}

void SoftFontStore::Define(const PclCommand& command, const unsigned char* data, std::size_t size) {
    if (command.group != 's' || command.terminator != 'W')
        return;
    if (command.kind == ')')
        DefineFont(data, size);
    else if (command.kind == '(')
        DefineCharacter(data, size);
}

void SoftFontStore::Reset() {
    fonts_.clear();
    storedBytes_ = 0;
    selected_ = -1;
}

const SoftFont* SoftFontStore::Selected() const {
    const auto found = fonts_.find(selected_);
    return found == fonts_.end() ? nullptr : &found->second;
}

void SoftFontStore::Delete(int id) {
    const auto found = fonts_.find(id);
    if (found == fonts_.end())
        return;
    for (auto& glyph : found->second.glyphs)
        DeleteGlyph(glyph);
    fonts_.erase(found);
    if (selected_ == id)
        selected_ = -1;
}

void SoftFontStore::DeleteGlyph(std::shared_ptr<const BitmapGlyph>& glyph) {
    if (glyph)
        storedBytes_ -= Cost(*glyph);
    glyph.reset();
}

// The header of a bitmap font (format 0): its size, format, type (0 to 2:
// which codes print), baseline, cell width and height, orientation
// (portrait only) and the rest, which the glyphs do not need. A font
// defined again under its ID replaces the old one.
void SoftFontStore::DefineFont(const unsigned char* data, std::size_t size) {
    if (size < kFontHeaderSize || static_cast<std::size_t>(Word(data, 0)) < kFontHeaderSize ||
        data[2] != 0 || data[3] > 2 || data[12] != 0)
        return;
    SoftFont font;
    font.baseline = Word(data, 6);
    font.cellWidth = Word(data, 8);
    font.cellHeight = Word(data, 10);
    if (font.cellWidth < 1 || font.cellWidth > kMaxGlyphDots || font.cellHeight < 1 ||
        font.cellHeight > kMaxGlyphDots || font.baseline > font.cellHeight)
        return;
    if (fonts_.count(fontId_) == 0 && fonts_.size() >= kMaxFonts)
        return;
    const int selected = selected_;
    Delete(fontId_);
    fonts_[fontId_] = font;
    selected_ = selected;
}

// A character descriptor of a bitmap font: format 4, no continuation, its
// size (14 or more, the bytes after the first two), class 1 (uncompressed
// bitmap), portrait, the offsets, the size in dots and the advance in
// quarter-dots (none: the cell's width); then the rows of bits.
void SoftFontStore::DefineCharacter(const unsigned char* data, std::size_t size) {
    const auto font = fonts_.find(fontId_);
    if (font == fonts_.end() || code_ > 255 || size < kCharacterDescriptorSize || data[0] != 4 ||
        data[1] != 0 || data[2] < kCharacterDescriptorSize - 2 || data[3] != 1 || data[4] != 0)
        return;
    auto glyph = std::make_shared<BitmapGlyph>();
    glyph->left = SignedWord(data, 6);
    glyph->top = SignedWord(data, 8);
    glyph->width = Word(data, 10);
    glyph->height = Word(data, 12);
    const int deltaX = SignedWord(data, 14);
    glyph->advance = deltaX > 0 ? deltaX / 4.0 : font->second.cellWidth;
    const std::size_t bits = 2 + static_cast<std::size_t>(data[2]);
    const std::size_t bytes =
        static_cast<std::size_t>(glyph->RowBytes()) * static_cast<std::size_t>(glyph->height);
    if (glyph->width > kMaxGlyphDots || glyph->height > kMaxGlyphDots || bits + bytes > size)
        return;
    glyph->rows.assign(data + bits, data + bits + bytes);
    std::shared_ptr<const BitmapGlyph>& slot = font->second.glyphs[static_cast<std::size_t>(code_)];
    const std::size_t kept = slot ? Cost(*slot) : 0;
    if (storedBytes_ - kept + Cost(*glyph) > kMaxStoredBytes ||
        bytesThisPage_ + Cost(*glyph) > kMaxBytesPerPage)
        return;
    DeleteGlyph(slot);
    storedBytes_ += Cost(*glyph);
    bytesThisPage_ += Cost(*glyph);
    slot = std::move(glyph);
}

} // namespace zl::render
