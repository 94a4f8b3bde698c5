#include "engine/ListingComposer.h"

#include "engine/GreenbarOverlay.h"
#include "engine/ListingText.h"
#include "engine/TranscodingSource.h"
#include "engine/UnicodeText.h"
#include "platform/Exception.h"
#include "platform/TrailingZeros.h"

#include <algorithm>
#include <cstring>

namespace zl {

namespace {

constexpr unsigned char kTab = 9;
constexpr unsigned char kLF = 10;
constexpr unsigned char kFF = 12;
constexpr unsigned char kCR = 13;
constexpr unsigned char kEndOfText = 26; // Ctrl-Z ends a text file
constexpr int kMaxTabSize = 16;
const std::string kEsc = "\x1b";
const std::string kLineEnd = "\r\n";
const std::string kFormFeed = "\r\f";
const std::string kAutoEncoding = "auto";
const std::string kRawEncoding = "raw";
const std::string kByteOrderMark = "\xef\xbb\xbf";

// True for the control bytes, which are never decoded, and for the control
// characters a decoder may give.
bool IsControl(char32_t c) {
    return c < 32 || c == 127;
}

// Caret notation: "^" and the character 64 above a control (127: "?").
constexpr unsigned char kCaret = '^';
constexpr unsigned char kCaretOffset = 0x40;

} // namespace

ListingComposer::ListingComposer(const ListingOptions& options, const Clock& clock,
                                 const LocaleNames& names, InputOpener openInput,
                                 std::size_t chunkSize)
    : options_(options), geometry_(GeometryFor(options)), clock_(clock), names_(names),
      openInput_(std::move(openInput)), out_(chunkSize) {
    if (options_.downloadFont) // glyphs in the cell of the face's pitch: 300 / 10 or 300 / 16.67
        glyphs_ = std::make_unique<SystemGlyphs>(options_);
}

void ListingComposer::Compose(const std::string& fileName, ByteSink& out,
                              const std::function<void()>& whenOpened) {
    out_.Start(out);
    try {
        WriteListing(fileName, whenOpened);
    } catch (...) {
        emphasis_ = nullptr;
        input_.reset(); // the file is closed after a failure as well
        out_.Drop();
        throw;
    }
    out_.End();
}

void ListingComposer::Write(const std::string& text) {
    if (writingPage_)
        WriteAlways(text);
}

void ListingComposer::WriteAlways(const std::string& text) {
    out_.Put(text.data(), static_cast<std::int32_t>(text.size()));
}

void ListingComposer::WriteGreenbarOverlay() {
    if (!options_.printBars)
        return;
    for (const std::string& piece : OverlayPieces(geometry_, options_.barHeight))
        WriteAlways(piece);
}

// The decoder, symbol set and tab size of this listing, and the bytes that
// leave the run of ordinary bytes. Raises for an unknown encoding.
void ListingComposer::PrepareCharacters() {
    const std::string encoding = options_.inputEncoding;
    decoder_ = InputDecoder::Make(encoding);
    if (!decoder_)
        throw InputFailure::UnknownEncoding(encoding);
    skipByteOrderMark_ = encoding == kAutoEncoding;
    // An encoding whose bytes 0..127 are not ASCII (UTF-16, EBCDIC) is read
    // as UTF-8 turned out of it, keeping a byte-order mark's place.
    transcodeFrom_.clear();
    if (encoding != kAutoEncoding && encoding != kRawEncoding && !ReadsAsciiAsAscii(*decoder_)) {
        transcodeFrom_ = encoding;
        decoder_ = InputDecoder::Make(kAutoEncoding);
        skipByteOrderMark_ = true;
    }
    const SymbolSet own = options_.roman8 ? SymbolSet::Roman8 : SymbolSet::Pc8;
    std::string unknown;
    const std::optional<std::vector<SymbolSet>> others =
        OtherSymbolSets(options_.symbolSets, own, &unknown);
    if (!others)
        throw Exception("unknown symbol set '" + unknown + "'");
    characterSets_ = std::make_unique<CharacterSets>(own, *others, glyphs_.get());
    selectedSet_ = 0;
    counts_ = ListingCounts();
    downloadedFonts_.clear();
    downloadTarget_ = 0;
    const int tabSize = options_.tabSize;
    tabSize_ = static_cast<std::uint32_t>(tabSize < 0             ? 0
                                          : tabSize > kMaxTabSize ? kMaxTabSize
                                                                  : tabSize);
    showControls_ = options_.showControlChars;
    // Shown, every control byte leaves the run; else only those with a role.
    std::array<bool, 256> stops{};
    for (unsigned byte = 0; byte < stops.size(); ++byte)
        stops[byte] = IsControl(byte)
                          ? showControls_ || byte == kCR || byte == kLF || byte == kFF ||
                                byte == kEndOfText || (byte == kTab && tabSize_)
                          : decoder_->MayBegin(static_cast<unsigned char>(byte));
    stops_.Assign(stops);
}

// The reset, what the listing asks of the printer, the page and the face, in
// one write. The paper comes first: selecting it sets the printer's page
// format anew, which the orientation and text length then change.
void ListingComposer::WritePrologue() {
    std::string prologue = kEsc + "E";
    const PrinterRequests& requests = options_.requests;
    if (requests.paper != PaperRequest::PrinterDefault)
        prologue += kEsc + "&l" + std::to_string(RequestedPaper(requests.paper)->pclPageSize) + "A";
    if (requests.paperSource > 0)
        prologue += kEsc + "&l" + std::to_string(requests.paperSource) + "H";
    static const char* const kDuplexModes[] = {"", "0", "1", "2"}; // by Sides
    if (requests.sides != Sides::PrinterDefault)
        prologue += kEsc + "&l" + kDuplexModes[static_cast<int>(requests.sides)] + "S";
    if (requests.copies > 0)
        prologue += kEsc + "&l" + std::to_string(requests.copies) + "X";
    if (options_.landscape)
        prologue += kEsc + "&l1O";
    // The text length in lines makes the printer's page as long as the
    // listing's on any paper; its default fits the listing only on Letter.
    prologue += kEsc + "&l" + std::to_string(geometry_.linesPerInch) + "D" + kEsc + "&l" +
                std::to_string(geometry_.linesPerPage) + "F";
    prologue += kEsc + (options_.roman8 ? "(8U" : "(10U");
    if (options_.linePrinter)
        prologue += kEsc + (options_.compressed ? "(s0p16.67h8.5v0s0b0T" : "(s0p10h8.5v0s0b0T");
    else if (options_.compressed)
        prologue += kEsc + "(s0p16.67H";
    WriteAlways(prologue);
}

// The name (or the title) and the date are system text: mapped to the
// printer's symbol sets first, one byte per character, so that every length
// and position counts characters.
void ListingComposer::BuildHeaderLine(const std::string& fileName) {
    const std::string date =
        headerCharacters_.Date(zl::DateText(clock_.Now(), names_), *characterSets_);
    datePosition_ = DatePosition(geometry_.lineWidth, date);
    if (options_.title.empty())
        header_.StartWithPath(
            headerCharacters_.Name(WithoutControlBytes(fileName), *characterSets_), date,
            geometry_.lineWidth, options_.landscape);
    else
        header_.Start(headerCharacters_.Name(WithoutControlBytes(options_.title), *characterSets_),
                      date, geometry_.lineWidth, options_.landscape);
}

// The header line in its pieces, each set selected before its characters.
void ListingComposer::WriteHeader(const std::string& line) {
    if (!HeaderCharacters::HasOthers(line)) { // the common header: the own set's bytes
        if (std::any_of(line.begin(), line.end(),
                        [](char c) { return static_cast<unsigned char>(c) >= 128; }))
            SelectSet(0);
        Write(line);
        return;
    }
    for (const HeaderCharacters::Piece& piece :
         headerCharacters_.Pieces(line, datePosition_, header_.NameShown())) {
        if (characterSets_->IsFont(piece.set)) { // the face again right after it
            // One column each: a wide font's glyph would push the line on.
            const bool drawn = writingPage_ && !characterSets_->WideFont(piece.set) &&
                               Download(piece.set, static_cast<unsigned char>(piece.bytes[0]));
            if (drawn)
                SelectSet(piece.set);
            Write(drawn ? piece.bytes : "?");
            SelectSet(0);
            continue;
        }
        if (piece.set != 0 || std::any_of(piece.bytes.begin(), piece.bytes.end(), [](char c) {
                return static_cast<unsigned char>(c) >= 128;
            }))
            SelectSet(piece.set);
        Write(piece.bytes);
    }
}

void ListingComposer::WriteLineNumber() {
    LeaveFont();
    ShowEmphasis(Emphasis::Plain);
    if (writingPage_)
        out_.Put(numbering_.Text(), static_cast<std::int32_t>(numbering_.Length()));
    columnCount_ = static_cast<std::int32_t>(numbering_.Length());
}

// The header with the next page's label, and the blank line below it.
void ListingComposer::StartPage() {
    SelectSet(0); // the header is in the listing's own set
    ShowEmphasis(Emphasis::Plain);
    CountPage();
    pageMarked_ = true;
    WriteHeader(header_.NextPage(++pageNumber_));
    Write(kLineEnd);
    lineOnPage_ = 3;
}

// One more page of the listing: written when it is one of the pages asked
// for, else left out up to the next.
void ListingComposer::CountPage() {
    writingPage_ = options_.pages.Contains(++pagesCounted_);
    if (writingPage_)
        ++pagesComposed_;
    if (!pageStart_)
        return;
    try {
        pageStart_(pagesCounted_);
    } catch (...) {
        out_.Flush(); // the listing ends here: what is before the page goes out
        throw;
    }
}

// The number of a line, on a new page when the page is full. The number
// takes its columns of the line's width.
void ListingComposer::StartLine() {
    if (lineOnPage_ > geometry_.linesPerPage)
        StartPage();
    if (!pageMarked_) { // the first line of a page a form feed began
        CountPage();
        pageMarked_ = true;
    }
    WriteLineNumber();
    lineStartPending_ = false;
}

// A line end of the file, whichever kind: CR LF to the printer.
void ListingComposer::EndLine() {
    wrapPending_ = false;
    ++lineOnPage_;
    lineStartPending_ = true;
    sourceColumn_ = 0;
    numbering_.Next();
    ShowEmphasis(Emphasis::Plain);
    Write(kLineEnd);
}

// Ends a full line and indents its continuation, with a new page when the
// line end fills the page.
void ListingComposer::Wrap() {
    LeaveFont(); // for the indent
    ShowEmphasis(Emphasis::Plain);
    wrapPending_ = false;
    Write(kLineEnd);
    if (++lineOnPage_ > geometry_.linesPerPage) {
        WriteGreenbarOverlay();
        StartPage();
    }
    Write("    ");
    columnCount_ = 5;
}

void ListingComposer::WrapIfFull() {
    if (wrapPending_)
        Wrap();
}

// Writes `count` ordinary characters, one column each: as few writes as
// the line allows, wrapping it where a character fills it and another
// follows.
void ListingComposer::WriteColumns(const unsigned char* bytes, std::size_t count) {
    if (count == 0)
        return;
    LeaveFont(bytes, count);
    WrapIfFull();
    sourceColumn_ += count;
    if (count < static_cast<std::size_t>(geometry_.lineWidth - columnCount_)) { // no wrap
        PutText(bytes, count);
        columnCount_ += static_cast<std::int32_t>(count);
        return;
    }
    while (count > 0) {
        const auto room = static_cast<std::size_t>(geometry_.lineWidth - columnCount_);
        const std::size_t piece = count < room ? count : room;
        PutText(bytes, piece);
        bytes += piece;
        count -= piece;
        columnCount_ += static_cast<std::int32_t>(piece);
        if (columnCount_ == geometry_.lineWidth) {
            if (count > 0)
                Wrap();
            else
                wrapPending_ = true;
        }
    }
}

// Writes what lies ahead in the input buffer, up to its end or a byte that
// needs more than a column, a TAB or a LF line end: the runs of ordinary
// bytes straight from the buffer, and the tabs and line ends between them.
// The bulk of every listing.
void ListingComposer::WriteRunsAhead() {
    std::size_t count = 0;
    const unsigned char* const start = input_->Ahead(count);
    if (emphasis_) { // up to where the emphasis changes
        UpdateEmphasis();
        count = static_cast<std::size_t>(
            std::min<std::uint64_t>(count, wantedUntil_ - input_->Position()));
    }
    const unsigned char* const end = start + count;
    const unsigned char* next = start;
    for (;;) {
        if (sourceColumn_ == 0) // at a line's start, its number written
            next = WritePlainLines(next, end);
        const unsigned char* stop = stops_.FindIn(next, end);
        // A mark ahead combines with the run's last character: held back.
        const bool base = stop != next && stop != end && *stop >= 0x80 && MarkMayBeginAt(stop, end);
        if (base)
            --stop;
        if (stop != next)
            WriteColumns(next, static_cast<std::size_t>(stop - next));
        next = stop;
        if (base) {
            const unsigned char character = *next;
            input_->Skip(static_cast<std::size_t>(next + 1 - start));
            WriteWithMarks(character);
            return;
        }
        if (next == end)
            break;
        if (*next == kTab && tabSize_ > 0) {
            const unsigned char* const tabsStart = next;
            while (++next != end && *next == kTab) {
            }
            WriteTabs(static_cast<std::size_t>(next - tabsStart));
        } else if (*next == kLF) {
            ++next;
            EndLine();
            if (next == end || *next == kEndOfText) // the next line may not come
                break;
            StartLine();
        } else {
            break;
        }
    }
    input_->Skip(static_cast<std::size_t>(next - start));
}

// Whole lines ahead that need nothing but their bytes: up to fifteen
// leading TABs, printable ASCII and a LF or CR LF line end, no wrap, the
// next line on the same page. Each goes into the writer's buffer in a few
// stores of fixed size, which may reach past what they keep: its blanks, its
// text, the line end and the next line's number. Returns where the first
// line that needs more begins. Only at a line's start, its number written.
const unsigned char* ListingComposer::WritePlainLines(const unsigned char* next,
                                                      const unsigned char* end) {
    if (!writingPage_ || !stops_.PrintableNeverStops() || wanted_ != Emphasis::Plain ||
        printed_ != Emphasis::Plain)
        return next;
    // A line is looked for in two windows, and its text copied a window at
    // a time from where it starts, so three lie ahead; the buffer keeps
    // room for a window's stores past the line.
    constexpr std::size_t kWindow = 64;
    const BufferedSinkWriter::Room room = out_.Free();
    char* out = room.next;
    auto width = static_cast<std::size_t>(geometry_.lineWidth - columnCount_);
    while (static_cast<std::size_t>(end - next) >= 3 * kWindow) {
        const unsigned tabs = tabSize_ > 0 ? StopBytes::Equal(next, kTab) : 0;
        const auto leading = static_cast<std::size_t>(CountTrailingZeros(~tabs));
        std::size_t stopAt = 0;
        if (const std::uint64_t first = StopBytes::NotPrintable64(next) >> leading; first != 0) {
            stopAt = leading + static_cast<std::size_t>(CountTrailingZeros(first));
        } else {
            const std::uint64_t second = StopBytes::NotPrintable64(next + kWindow);
            if (second == 0)
                break;
            stopAt = kWindow + static_cast<std::size_t>(CountTrailingZeros(second));
        }
        const std::size_t lineEnd = next[stopAt] == kLF                              ? 1
                                    : next[stopAt] == kCR && next[stopAt + 1] == kLF ? 2
                                                                                     : 0;
        const std::size_t blanks = leading * tabSize_;
        const std::size_t text = stopAt - leading;
        if (lineEnd == 0 || blanks + text >= width || next[stopAt + lineEnd] == kEndOfText ||
            lineOnPage_ >= geometry_.linesPerPage ||
            static_cast<std::size_t>(room.end - out) < blanks + text + kWindow)
            break;
        std::size_t done = 0;
        do
            std::memset(out + done, ' ', kWindow);
        while ((done += kWindow) < blanks);
        out += blanks;
        done = 0;
        do
            std::memcpy(out + done, next + leading + done, kWindow);
        while ((done += kWindow) < text);
        out += text;
        ++lineOnPage_;
        numbering_.Next();
        std::memcpy(out, numbering_.WithLineEnd().data(), sizeof(LineNumbering::Bytes));
        out += LineNumbering::kLineEndLength + numbering_.Length();
        columnCount_ = static_cast<std::int32_t>(numbering_.Length());
        width = static_cast<std::size_t>(geometry_.lineWidth) - numbering_.Length();
        next += stopAt + lineEnd;
    }
    out_.Keep(out);
    return next;
}

// One ordinary character: a column of the source line and of the printed
// one, which it may fill.
void ListingComposer::WriteColumn(unsigned char byte) {
    WriteColumns(&byte, 1);
}

// A control character in caret notation: two ordinary characters, so a wrap
// may fall between them.
void ListingComposer::WriteShown(unsigned char control) {
    const unsigned char shown[] = {kCaret, static_cast<unsigned char>(control ^ kCaretOffset)};
    WriteColumns(shown, sizeof shown);
}

// TABs one after another: blanks up to the tab stop of the source line that
// each reaches from the one before, every blank an ordinary character that
// may wrap the line.
void ListingComposer::WriteTabs(std::size_t tabs) {
    static const std::string kBlanks(4 * kMaxTabSize, ' ');
    const auto* const blanks = reinterpret_cast<const unsigned char*>(kBlanks.data());
    std::size_t count = tabSize_ - sourceColumn_ % tabSize_ + (tabs - 1) * tabSize_;
    for (; count > kBlanks.size(); count -= kBlanks.size())
        WriteColumns(blanks, kBlanks.size());
    WriteColumns(blanks, count);
}

// A character of the file's encoding as its one byte in the symbol set (a
// control character shown, or else '?'), with the marks that combine with
// it; bytes that begin none are written as they are.
void ListingComposer::WriteCharacter(unsigned char byte) {
    std::size_t length = 1;
    char32_t character = 0;
    if (DecodeAhead(length, character) != InputDecoder::Result::Character) {
        input_->Skip(1);
        WriteUndecoded(byte);
        return;
    }
    input_->Skip(length);
    if (showControls_ && IsControl(character))
        WriteShown(static_cast<unsigned char>(character));
    else
        WriteWithMarks(character);
}

// The byte ahead that stopped the run of ordinary bytes.
void ListingComposer::WriteSpecial(unsigned char byte) {
    switch (byte) {
    case kCR:
        input_->Skip(1);
        if (!input_->AtEnd() && input_->Peek() == kLF) // CR LF is one line end
            input_->Skip(1);
        EndLine();
        break;
    case kLF:
        input_->Skip(1);
        EndLine();
        break;
    case kFF:
        input_->Skip(1);
        wrapPending_ = false;
        lineOnPage_ = 1;
        lineStartPending_ = true;
        pageMarked_ = false;
        sourceColumn_ = 0;
        numbering_.Next();
        ShowEmphasis(Emphasis::Plain);
        Write(kFormFeed); // after a CR: the next page's line starts at the left margin
        break;
    case kTab:
        if (tabSize_ > 0) {
            input_->Skip(1);
            WriteTabs(1);
            break;
        }
        [[fallthrough]]; // without tab stops a TAB stops the run only to be shown
    default:
        if (IsControl(byte)) {
            input_->Skip(1);
            WriteShown(byte);
        } else {
            WriteCharacter(byte);
        }
        break;
    }
}

// A UTF-8 byte-order mark starting the file is no text of it.
void ListingComposer::SkipByteOrderMark() {
    if (!skipByteOrderMark_ || !input_->EnsureAhead(kByteOrderMark.size()))
        return;
    std::size_t count = 0;
    const unsigned char* const bytes = input_->Ahead(count);
    if (std::memcmp(bytes, kByteOrderMark.data(), kByteOrderMark.size()) == 0)
        input_->Skip(kByteOrderMark.size());
}

bool ListingComposer::InputEnded() {
    return input_->AtEnd() || input_->Peek() == kEndOfText;
}

void ListingComposer::WriteListing(const std::string& fileName,
                                   const std::function<void()>& whenOpened) {
    PrepareCharacters();
    std::unique_ptr<InputSource> source = openInput_(fileName);
    if (!transcodeFrom_.empty())
        source = std::make_unique<TranscodingSource>(std::move(source),
                                                     InputDecoder::Make(transcodeFrom_));
    input_ = std::make_unique<InputFile>(WithEmphasis(std::move(source), fileName));
    if (whenOpened)
        whenOpened();
    WritePrologue();
    out_.Flush(); // a sink that takes no bytes (a refused job) says so now
    BuildHeaderLine(fileName);
    WriteGreenbarOverlay();
    pageNumber_ = 0;
    pagesComposed_ = 0;
    pagesCounted_ = 0;
    numbering_.Restart();
    StartPage();
    WriteLineNumber();
    lineStartPending_ = false;
    sourceColumn_ = 0;

    SkipByteOrderMark();

    while (!InputEnded()) {
        if (lineStartPending_)
            StartLine();
        WriteRunsAhead();
        if (InputEnded())
            break;
        const unsigned char byte = input_->Peek();
        if (!stops_.Stops(byte)) // the run only met the end of the buffer or an emphasis
            continue;
        if (emphasis_)
            UpdateEmphasis();
        WriteSpecial(byte);
    }

    emphasis_ = nullptr;
    input_->Close();
    input_.reset();
    WriteGreenbarOverlay();
}

} // namespace zl
