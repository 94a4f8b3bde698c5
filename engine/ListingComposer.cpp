#include "engine/ListingComposer.h"

#include "engine/GreenbarOverlay.h"
#include "engine/ListingText.h"

namespace zl {

namespace {

constexpr unsigned char kCR = 13;
constexpr unsigned char kFF = 12;
constexpr unsigned char kEndOfText = 26; // Ctrl-Z ends a text file
const std::string kEsc = "\x1b";
const std::string kLineEnd = "\r\n";

} // namespace

ListingComposer::ListingComposer(RawPrintJob& job, TPrinter& printers,
                                 const ListingOptions& options, PageGeometry& geometry,
                                 const Clock& clock, const LocaleNames& names,
                                 InputOpener openInput)
    : job_(job), printers_(printers), options_(options), geometry_(geometry), clock_(clock),
      names_(names), openInput_(std::move(openInput)) {}

void ListingComposer::ZelListProcess(const std::string& fileName, std::int32_t printerIndex) {
    opened_ = false;
    try {
        Compose(fileName, printerIndex);
    } catch (...) {
        // Close the file and cancel the job: nothing of a failed listing
        // prints, and the next listing can open a job of its own.
        input_.reset();
        if (opened_)
            job_.AbortJob();
        opened_ = false;
        throw;
    }
}

void ListingComposer::DirectPrint(const std::string& text) {
    job_.WriteData(text.data(), static_cast<std::int32_t>(text.size()));
}

void ListingComposer::WriteByte(unsigned char byte) {
    job_.WriteData(&byte, 1);
}

void ListingComposer::ShadeIt() {
    for (const std::string& piece : OverlayPieces(geometry_, options_.BarHeight()))
        DirectPrint(piece);
}

void ListingComposer::WritePrologue() {
    DirectPrint(kEsc + "E");
    if (options_.Landscape())
        DirectPrint(kEsc + "&l1O");
    DirectPrint(kEsc + "&l" + std::to_string(geometry_.LinesPerInch) + "D");
    std::string symbolSetAndFont = kEsc + (options_.NoIbm() ? "(8U" : "(10U");
    if (options_.LinePrinter())
        symbolSetAndFont +=
            kEsc + (options_.Compressed() ? "(s0p16.67h8.5v0s0b0T" : "(s0p10h8.5v0s0b0T");
    else if (options_.Compressed())
        symbolSetAndFont += kEsc + "(s0p16.67H";
    DirectPrint(symbolSetAndFont);
}

void ListingComposer::BuildHeaderLine(const std::string& fileName) {
    const std::int32_t width = geometry_.LineWidth;
    HeaderLine.assign(static_cast<std::size_t>(width > 0 ? width : 0), ' ');
    InsertAt(HeaderLine, "  File: " + ShortenPath(WithoutControlBytes(fileName)), 1);
    DateText = zl::DateText(clock_.Now(), names_);
    InsertAt(HeaderLine, DateText, width / 2 - static_cast<std::int32_t>(DateText.size() / 2));
}

void ListingComposer::NextPageLabel() {
    ++PageNumber;
    PageLabel = PageLabelText(PageNumber);
    const std::int32_t end = options_.Landscape() ? geometry_.LineWidth - 1 : geometry_.LineWidth;
    InsertAt(HeaderLine, PageLabel, end - static_cast<std::int32_t>(PageLabel.size()) + 1);
}

void ListingComposer::NextLineNumber() {
    ++LineNumber;
    FormatLineNumber(LineNumber, LineNumberText);
}

void ListingComposer::StartPage() {
    NextPageLabel();
    WriteHeaderLine();
    DirectPrint(kLineEnd);
    LineOnPage = 3;
}

// The header line and its line end, as one write. The line grows with every
// page label, so its buffer is kept rather than made anew for each page.
void ListingComposer::WriteHeaderLine() {
    headerWrite_.assign(HeaderLine);
    headerWrite_.append(kLineEnd);
    DirectPrint(headerWrite_);
}

// Counts a written byte and wraps the line when it is full.
void ListingComposer::CountColumn() {
    if (++ColumnCount != geometry_.LineWidth)
        return;
    Wrap();
}

// Ends a full line and indents its continuation, with a new page when the
// line end fills the page.
void ListingComposer::Wrap() {
    DirectPrint(kLineEnd);
    if (++LineOnPage > geometry_.LinesPerPage) {
        ShadeIt();
        StartPage();
    }
    DirectPrint("    ");
    ColumnCount = 5;
}

// Writes the run of bytes that need nothing but a write each and a column,
// straight from the input buffer: the bulk of every listing.
void ListingComposer::WriteOrdinaryBytes() {
    std::size_t count = 0;
    const unsigned char* const start = input_->Ahead(count);
    const unsigned char* const end = start + count;
    const unsigned char* next = start;
    RawPrintJob& job = job_;
    const std::int32_t width = geometry_.LineWidth;
    std::int32_t column = ColumnCount; // kept here while no one else looks
    while (next != end && *next != kCR && *next != kFF && *next != kEndOfText) {
        job.WriteData(next++, 1);
        if (++column == width) {
            ColumnCount = column;
            Wrap();
            column = ColumnCount;
        }
    }
    ColumnCount = column;
    input_->Skip(static_cast<std::size_t>(next - start));
}

bool ListingComposer::InputEnded() {
    return input_->AtEnd() || input_->Peek() == kEndOfText;
}

void ListingComposer::Compose(const std::string& fileName, std::int32_t printerIndex) {
    DeriveGeometry(geometry_);
    const std::vector<PrinterEntry>& entries = printers_.Entries();
    if (printerIndex < 0 || printerIndex >= static_cast<std::int32_t>(entries.size()))
        throw Exception("List index out of bounds (" + std::to_string(printerIndex) + ")");
    input_ = std::make_unique<InputFile>(openInput_(fileName));
    job_.StartJob(entries[static_cast<std::size_t>(printerIndex)].name, kDocumentName);
    opened_ = true;
    WritePrologue();
    BuildHeaderLine(fileName);
    ShadeIt();
    PageNumber = 0;
    LineNumber = 0;
    NextPageLabel();
    NextLineNumber();
    WriteHeaderLine();
    DirectPrint(kLineEnd);
    DirectPrint(LineNumberText);
    ColumnCount = 0;
    LineOnPage = 3;
    LineStartPending = false;

    while (!InputEnded()) {
        if (!LineStartPending) {
            WriteOrdinaryBytes();
            if (InputEnded())
                break;
        }
        const unsigned char byte = input_->Read();
        if (LineStartPending) {
            if (LineOnPage > geometry_.LinesPerPage)
                StartPage();
            DirectPrint(LineNumberText);
            ColumnCount = 0;
            LineStartPending = false;
        }
        if (byte == kCR) {
            if (!InputEnded()) // the LF of CR LF, or whatever follows but a byte 26
                input_->Read();
            ++LineOnPage;
            LineStartPending = true;
            NextLineNumber();
            DirectPrint(kLineEnd);
        } else if (byte == kFF) {
            LineOnPage = 1;
            LineStartPending = true;
            NextLineNumber();
            WriteByte(byte);
        } else {
            WriteByte(byte);
            CountColumn();
        }
    }

    input_->Close();
    input_.reset();
    ShadeIt();
    job_.EndPage();
    job_.EndJob();
    opened_ = false;
}

} // namespace zl
