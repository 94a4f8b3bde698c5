// The listing's characters from the printer's symbol sets and from the
// font it downloads: the selections and downloads that print them.
#include "engine/ListingComposer.h"

#include <algorithm>

namespace zl {

namespace {

const std::string kEsc = "\x1b";

} // namespace

// A character as its byte in the set that prints it, that set selected
// first, or from the downloaded font; '?' where none does.
void ListingComposer::WriteChosen(char32_t character) {
    WrapIfFull(); // before a set is selected for it: a new page selects the own set
    const CharacterSets::Choice choice = characterSets_->Choose(character);
    if (choice.set == characterSets_->Downloaded()) {
        WriteGlyph(choice.byte);
        return;
    }
    if (writingPage_) {
        counts_.notPrinted += choice.set < 0;
        counts_.nearEnough += choice.nearEnough;
    }
    if (choice.set >= 0 && choice.byte >= 128) // ASCII prints alike from every set
        SelectSet(choice.set);
    WriteColumn(choice.byte);
}

// A character of the downloaded font: its glyph downloaded the first time,
// the font selected for it unless the character before was one of its
// own; the listing's set and face come back with the next other character.
// '?' where the glyph cannot be drawn.
void ListingComposer::WriteGlyph(unsigned char code) {
    if (!writingPage_) {
        WriteColumn(code); // a column, nothing written
        return;
    }
    if (!Download(code)) {
        ++counts_.notPrinted;
        WriteColumn('?');
        return;
    }
    WrapIfFull();
    SelectSet(characterSets_->Downloaded()); // a run of them selects the font once
    out_->Put(&code, 1);
    ++sourceColumn_;
    wrapPending_ = ++columnCount_ == geometry_.lineWidth;
}

// A byte that begins no character of the file's encoding: in the listing's
// own set, selected again for it; '?' where that set takes the byte as a
// control code.
void ListingComposer::WriteUndecoded(unsigned char byte) {
    WrapIfFull();
    SelectSet(0);
    if (writingPage_)
        ++counts_.notDecoded;
    const bool control =
        byte >= 128 && byte < 160 && InfoOf(characterSets_->SetAt(0)).upperControls;
    WriteColumn(control ? '?' : byte);
}

// Downloads the glyph of `code` unless the printer has it, and the font's
// header before the first; false when the glyph cannot be drawn. Written
// on any page, as the printer keeps the font for the job.
bool ListingComposer::Download(unsigned char code) {
    const char32_t character = characterSets_->GlyphCharacter(code);
    if (downloaded_[code] == character)
        return true;
    SystemGlyphs& glyphs = *characterSets_->Glyphs();
    const std::optional<GlyphBitmap> glyph = glyphs.Draw(character);
    if (!glyph)
        return false;
    const SoftFontCell cell = glyphs.Cell();
    if (!fontDownloaded_)
        WriteAlways(SoftFontHeader(cell));
    fontDownloaded_ = true;
    WriteAlways(CharacterDownload(code, *glyph, cell));
    downloaded_[code] = character;
    return true;
}

// The listing's face as the prologue leaves it, selected by all its
// characteristics: after a font selected by ID, the printer keeps that
// font's characteristics for those a selection leaves out.
std::string ListingComposer::FaceSelection() const {
    const std::string pitch = options_.compressed ? "16.67" : "10";
    return kEsc + "(s0p" + pitch + (options_.linePrinter ? "h8.5v0s0b0T" : "h12v0s0b4099T");
}

void ListingComposer::LeaveFont(const unsigned char* bytes, std::size_t count) {
    if (selectedSet_ != characterSets_->Downloaded())
        return;
    const bool blanks =
        count > 0 && std::all_of(bytes, bytes + count, [](unsigned char b) { return b == ' '; });
    if (!blanks || !DownloadBlank())
        SelectSet(0);
}

// The font's blank (code 32, a cell without ink), downloaded once, so that
// words of downloaded characters and the blanks between them are one run
// in the font. False when it cannot be.
bool ListingComposer::DownloadBlank() {
    if (downloaded_[' '] == U' ')
        return true;
    if (!fontDownloaded_)
        return false;
    GlyphBitmap blank;
    blank.width = 1;
    blank.height = 1;
    blank.rows = {0};
    WriteAlways(CharacterDownload(' ', blank, characterSets_->Glyphs()->Cell()));
    downloaded_[' '] = U' ';
    return true;
}

// Selects a set of the listing's on the printer, unless it has it. The
// selection goes out on pages left out too: the printer keeps it for the
// next page written.
void ListingComposer::SelectSet(int set) {
    if (set == selectedSet_)
        return;
    const bool fromFont = selectedSet_ == characterSets_->Downloaded();
    selectedSet_ = set;
    if (set == characterSets_->Downloaded())
        WriteAlways(kEsc + "(" + std::to_string(kDownloadedFontId) + "X");
    else
        WriteAlways(kEsc + "(" + InfoOf(characterSets_->SetAt(set)).pclId +
                    (fromFont ? FaceSelection() : ""));
}

} // namespace zl
