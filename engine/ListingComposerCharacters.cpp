// The listing's characters: the columns Unicode's tables give them, the
// combining marks that go with them, and the printer's symbol sets and the
// fonts the listing downloads that print them.
#include "engine/ListingComposer.h"

#include "engine/UnicodeText.h"

#include <algorithm>

namespace zl {

namespace {

const std::string kEsc = "\x1b";

} // namespace

// The character ahead in the input, not taken: Character and its length,
// else NotACharacter (a byte that begins none, or one cut by the input's end).
InputDecoder::Result ListingComposer::DecodeAhead(std::size_t& length, char32_t& character) {
    InputDecoder::Result result = InputDecoder::Result::NotACharacter;
    for (;;) {
        std::size_t count = 0;
        const unsigned char* const bytes = input_->Ahead(count);
        result = decoder_->Decode(bytes, count, length, character);
        if (result != InputDecoder::Result::NeedMore)
            break;
        if (!input_->EnsureAhead(count + 1)) // cut by the end of the input
            return InputDecoder::Result::NotACharacter;
    }
    std::size_t count = 0;
    input_->Ahead(count);
    return result == InputDecoder::Result::Character && length > 0 && length <= count
               ? result
               : InputDecoder::Result::NotACharacter;
}

// Whether the bytes at `at` may begin a combining mark (or one cut by the
// buffer's end): the character before it is then written with its marks.
bool ListingComposer::MarkMayBeginAt(const unsigned char* at, const unsigned char* end) {
    std::size_t length = 0;
    char32_t character = 0;
    const InputDecoder::Result result =
        decoder_->Decode(at, static_cast<std::size_t>(end - at), length, character);
    return result == InputDecoder::Result::NeedMore ||
           (result == InputDecoder::Result::Character && IsCombiningMark(character));
}

// A character and the combining marks after it, in one cell: the one
// character Unicode composes them to (e + U+0301 is é), else a glyph of the
// downloaded font drawn of them all, else the base alone, counted as printed
// without its accents. Characters invisible by nature
// among the marks print nothing.
void ListingComposer::WriteWithMarks(char32_t base) {
    std::u32string marks;
    std::size_t length = 0;
    char32_t next = 0;
    while (!InputEnded() && DecodeAhead(length, next) == InputDecoder::Result::Character &&
           (IsCombiningMark(next) || IsIgnorable(next))) {
        if (!IsIgnorable(next))
            marks += next;
        input_->Skip(length);
    }
    if (!marks.empty()) {
        if (const char32_t composed = Composed(base, marks)) {
            base = composed;
        } else if (const std::optional<CharacterSets::Choice> glyph =
                       ColumnWidth(base) == 1 ? characterSets_->ChooseCluster(base + marks)
                                              : std::nullopt) {
            WriteGlyph(glyph->set, glyph->byte); // drawn as one glyph
            return;
        } else if (writingPage_) {
            ++counts_.nearEnough;
        }
    }
    WritePrinted(base);
}

// A character in as many columns as it takes: none for one invisible by
// nature (or a mark with nothing to sit on, counted as an accent lost), two
// for a wide one (its character, then a blank; never split by a wrap).
void ListingComposer::WritePrinted(char32_t character) {
    if (character < 128) { // an ASCII base of marks
        WriteColumn(static_cast<unsigned char>(character));
        return;
    }
    switch (ColumnWidth(character)) {
    case 0:
        if (writingPage_ && IsCombiningMark(character))
            ++counts_.nearEnough;
        return;
    case 2:
        if (columnCount_ == geometry_.lineWidth - 1)
            WriteColumn(' ');
        if (WriteChosen(character) < 2) // a wide font's glyph takes both
            WriteColumn(' ');
        return;
    default:
        if (writingPage_ && IsRightToLeft(character))
            ++counts_.rightToLeft;
        WriteChosen(character);
    }
}

// A character as its byte in the set that prints it, that set selected
// first, or from a downloaded font; '?' where none does. Returns the columns
// it took: two for a glyph of a wide font.
int ListingComposer::WriteChosen(char32_t character) {
    WrapIfFull(); // before a set is selected for it: a new page selects the own set
    const CharacterSets::Choice choice = characterSets_->Choose(character);
    if (characterSets_->IsFont(choice.set))
        return WriteGlyph(choice.set, choice.byte);
    if (writingPage_) {
        counts_.notPrinted += choice.set < 0;
        counts_.nearEnough += choice.nearEnough;
    }
    if (choice.set >= 0 && choice.byte >= 128) // ASCII prints alike from every set
        SelectSet(choice.set);
    WriteColumn(choice.byte);
    return 1;
}

// A character of a downloaded font: its glyph downloaded the first time,
// the font selected for it unless the character before was one of its
// own; the listing's set and face come back with the next other character.
// '?' where the glyph cannot be drawn. Returns the columns it took.
int ListingComposer::WriteGlyph(int set, unsigned char code) {
    const int width = characterSets_->WideFont(set) ? 2 : 1;
    if (!writingPage_) { // its columns, nothing written
        WriteColumn(code);
        if (width == 2)
            WriteColumn(' ');
        return width;
    }
    if (!Download(set, code)) {
        ++counts_.notPrinted;
        WriteColumn('?');
        return 1;
    }
    WrapIfFull();
    // A weight or style asked for in a font selected by its number would
    // select another; its glyphs print as drawn.
    ShowEmphasis(options_.linePrinter ? wanted_ : Emphasis::Plain);
    SelectSet(set); // a run of them selects the font once
    out_.Put(&code, 1);
    sourceColumn_ += static_cast<std::uint64_t>(width);
    columnCount_ += width;
    wrapPending_ = columnCount_ >= geometry_.lineWidth;
    return width;
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

// The font of `set` as downloaded so far: its header is written before its
// first character, and the downloads go to it.
ListingComposer::DownloadedFont& ListingComposer::FontToDownload(int set) {
    const auto index = static_cast<std::size_t>(set - characterSets_->Downloaded());
    if (downloadedFonts_.size() <= index)
        downloadedFonts_.resize(index + 1);
    DownloadedFont& font = downloadedFonts_[index];
    const int id = characterSets_->FontId(set);
    if (!font.defined)
        WriteAlways(
            SoftFontHeader(characterSets_->Glyphs()->Cell(characterSets_->WideFont(set)), id));
    else if (downloadTarget_ != id)
        WriteAlways(FontIdCommand(id));
    font.defined = true;
    downloadTarget_ = id;
    return font;
}

// Downloads the glyph of `code` in the font of `set` unless the printer has
// it; false when the glyph cannot be drawn. Written on any page, as the
// printer keeps the fonts for the job.
bool ListingComposer::Download(int set, unsigned char code) {
    const char32_t character = characterSets_->GlyphCharacter(set, code);
    if (DownloadedCharacter(characterSets_->FontId(set), code) == character)
        return true;
    SystemGlyphs& glyphs = *characterSets_->Glyphs();
    const bool wide = characterSets_->WideFont(set);
    const std::u32string cluster = characterSets_->GlyphCluster(set, code);
    const std::optional<GlyphBitmap> glyph =
        cluster.empty() ? glyphs.Draw(character, wide) : glyphs.Draw(cluster);
    if (!glyph)
        return false;
    DownloadedFont& font = FontToDownload(set);
    WriteAlways(CharacterDownload(code, *glyph, glyphs.Cell(wide)));
    font.characters[code] = character;
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
    if (!characterSets_->IsFont(selectedSet_))
        return;
    const bool blanks =
        count > 0 && std::all_of(bytes, bytes + count, [](unsigned char b) { return b == ' '; });
    if (!blanks || !DownloadBlank())
        SelectSet(0);
}

// The selected font's blank (code 32, a cell without ink), downloaded once,
// so that words of downloaded characters and the blanks between them are one
// run in the font. False when it cannot be: a wide font's blank would take
// two columns.
bool ListingComposer::DownloadBlank() {
    if (characterSets_->WideFont(selectedSet_))
        return false;
    if (DownloadedCharacter(characterSets_->FontId(selectedSet_), ' ') == U' ')
        return true;
    DownloadedFont& font = FontToDownload(selectedSet_);
    GlyphBitmap blank;
    blank.width = 1;
    blank.height = 1;
    blank.rows = {0};
    WriteAlways(CharacterDownload(' ', blank, characterSets_->Glyphs()->Cell()));
    font.characters[' '] = U' ';
    return true;
}

// Selects a set of the listing's on the printer, unless it has it. The
// selection goes out on pages left out too: the printer keeps it for the
// next page written.
void ListingComposer::SelectSet(int set) {
    if (set == selectedSet_)
        return;
    const bool fromFont = characterSets_->IsFont(selectedSet_);
    selectedSet_ = set;
    if (fromFont && !options_.linePrinter) // the face's selection is medium upright
        printed_ = Emphasis::Plain;
    if (characterSets_->IsFont(set))
        WriteAlways(kEsc + "(" + std::to_string(characterSets_->FontId(set)) + "X");
    else
        WriteAlways(kEsc + "(" + InfoOf(characterSets_->SetAt(set)).pclId +
                    (fromFont ? FaceSelection() : ""));
}

} // namespace zl
