#include "render/PclInterpreter.h"

#include "render/PclUnits.h"
#include "render/SymbolSetChars.h"

#include <algorithm>
#include <cmath>

namespace zl::render {

namespace {

// The printer cannot mark the outer 1/6 inch of the paper.
constexpr double kUnprintableEdge = 50;

// Bounds that keep memory finite whatever the stream holds.
constexpr std::size_t kMaxRunsPerPage = 20000;
constexpr std::size_t kMaxCharsPerPage = 1 << 20;
constexpr int kMaxMacroDepth = 2;
constexpr std::size_t kMaxUnderlines = 20000;
// Macros run at most this many items for each byte fed, and a few to start
// with: a listing's overlay runs well under one a byte, while a stream that
// puts a large macro under every page of many short ones would otherwise
// take time that grows with the square of its size.
constexpr std::uint64_t kMacroItemsPerByte = 16;
constexpr std::uint64_t kMacroItemsAtStart = 1 << 20;

constexpr unsigned char kBackspace = 8, kTab = 9, kLineFeed = 10, kFormFeed = 12,
                        kCarriageReturn = 13;

const FontChoice kCourier{10, 12, 4099};

// The logical page's distance from the paper's left edge (along the turned
// page in landscape): 1/4 inch portrait, 0.2 inch landscape; A4 a little
// less, so that an 80-column line fits its narrower paper.
double LogicalOffset(const PaperSize& paper, bool landscape) {
    if (paper.name == "A4")
        return landscape ? 59 : 71;
    return landscape ? 60 : 75;
}

} // namespace

PclInterpreter::PclInterpreter(PaperSize paper, PageSink sink, DownloadedCharacterNamer namer)
    : sink_(std::move(sink)), namer_(std::move(namer)), parser_(*this), paper_(std::move(paper)) {
    ResetPrinter();
}

void PclInterpreter::Feed(const void* data, std::size_t size) {
    bytesFed_ += size;
    parser_.Feed(static_cast<const unsigned char*>(data), size);
}

void PclInterpreter::Finish() {
    parser_.Reset();
    macros_.EndDefinition();
    Eject();
}

// ---- Page geometry ----

double PclInterpreter::FirstLineY() const {
    // The cursor sits on the first line's baseline, 3/4 of a line below the
    // top margin.
    return topMargin_ + 0.75 * env_.vmi;
}

void PclInterpreter::DefaultMargins() {
    topMargin_ = std::min(kHalfInch, pageLength_);
    textBottom_ = std::max(topMargin_, pageLength_ - kHalfInch);
}

void PclInterpreter::SetOrientation(bool landscape) {
    landscape_ = landscape;
    pageWidth_ = landscape ? paper_.height : paper_.width;
    pageLength_ = landscape ? paper_.width : paper_.height;
    logicalOffset_ = LogicalOffset(paper_, landscape);
    logicalWidth_ = std::max(0.0, pageWidth_ - 2 * logicalOffset_);
    DefaultMargins();
    env_.x = 0;
    env_.y = FirstLineY();
    env_.atPageStart = true;
    CloseRun();
}

void PclInterpreter::SetPaper(const PaperSize& paper) {
    paper_ = paper;
    SetOrientation(landscape_);
}

void PclInterpreter::MoveTo(double x, double y) {
    env_.x = std::clamp(x, 0.0, logicalWidth_);
    env_.y = std::clamp(y, 0.0, pageLength_);
    env_.atPageStart = false;
    CloseRun();
}

void PclInterpreter::SetX(double x) {
    env_.x = std::clamp(x, 0.0, logicalWidth_);
    CloseRun();
}

// Until the page's first line is used, the line spacing decides where it is.
void PclInterpreter::MoveToFirstLineIfUntouched() {
    if (env_.atPageStart)
        env_.y = FirstLineY();
}

// ---- Pages ----

void PclInterpreter::ResetPrinter() {
    Eject();
    env_ = Environment{};
    env_.vmi = kDotsPerInch / 6;
    env_.font = kCourier;
    env_.hmi = CellWidth(kCourier.pitch);
    env_.symbolSet = SymbolSet::Pc8;
    perforationSkip_ = true;
    lineTermination_ = 0;
    ignoringText_ = false;
    positionStack_.clear();
    softFonts_.Reset();
    macros_.Clear();
    macros_.SetId(0);
    overlayId_ = -1;
    SetOrientation(false);
}

void PclInterpreter::CloseRun() {
    if (runOpen_ && !page_.runs.empty()) { // a run ends in its last mark
        TextRun& run = page_.runs.back();
        std::size_t end = run.text.size();
        while (end > 0 && run.text[end - 1] == U' ' && (run.glyphs.empty() || !run.glyphs[end - 1]))
            --end;
        run.text.resize(end);
        if (!run.glyphs.empty())
            run.glyphs.resize(end);
    }
    runOpen_ = false;
}

// The page goes out when something is on it, with the automatic overlay
// under its own marks; the cursor moves to the first line of the next page.
void PclInterpreter::Eject() {
    if (inOverlay_)
        return; // the overlay draws on the page that is going out
    CloseRun();
    if (marked_) {
        RunOverlay();
        page_.paper = paper_;
        page_.landscape = landscape_;
        ++pageCount_;
        if (sink_)
            sink_(page_);
    }
    page_ = Page{};
    softFonts_.PageEjected();
    marked_ = false;
    pageChars_ = 0;
    env_.y = FirstLineY();
    env_.atPageStart = true;
}

void PclInterpreter::RunOverlay() {
    if (overlayId_ < 0 || !macros_.Find(overlayId_))
        return;
    const Environment saved = env_;
    const std::size_t rectsBefore = page_.rects.size();
    const std::size_t runsBefore = page_.runs.size();
    const bool marked = marked_;
    env_.x = 0;
    env_.y = FirstLineY();
    inOverlay_ = true;
    RunMacro(overlayId_);
    inOverlay_ = false;
    CloseRun();
    // The overlay's marks go first: the page's own are drawn over them.
    std::rotate(page_.rects.begin(), page_.rects.begin() + static_cast<long>(rectsBefore),
                page_.rects.end());
    std::rotate(page_.runs.begin(), page_.runs.begin() + static_cast<long>(runsBefore),
                page_.runs.end());
    env_ = saved;
    marked_ = marked;
}

void PclInterpreter::RunMacro(int id) {
    const std::vector<MacroItem>* items = macros_.Find(id);
    if (!items || macroDepth_ >= kMaxMacroDepth)
        return;
    ++macroDepth_;
    // Macros cannot be defined or deleted while one runs, so the items stay.
    for (const MacroItem& item : *items) {
        if (++macroItemsRun_ > kMacroItemsAtStart + kMacroItemsPerByte * bytesFed_)
            break;
        if (item.isByte)
            OnByte(item.byte);
        else
            Execute(item.command);
    }
    --macroDepth_;
}

// ---- Text ----

void PclInterpreter::LineFeed() {
    env_.y = std::min(env_.y + env_.vmi, pageLength_);
    env_.atPageStart = false;
    CloseRun();
    if (!perforationSkip_ || env_.vmi <= 0)
        return;
    // Past the last line of the text length: the printer ejects the page.
    const double lines = std::floor((textBottom_ - topMargin_) / env_.vmi + kEpsilon);
    const double lastLine = FirstLineY() + (lines - 1) * env_.vmi;
    if (env_.y > lastLine + kEpsilon)
        Eject();
}

// The character of `byte` in the selected font: in a downloaded one its
// glyph, named by the namer, or a blank cell where it has none.
void PclInterpreter::Print(unsigned char byte) {
    const SoftFont* downloaded = softFonts_.Selected();
    std::shared_ptr<const BitmapGlyph> glyph;
    char32_t c = 0;
    double advance = env_.hmi;
    if (downloaded) {
        glyph = downloaded->glyphs[byte];
        advance = glyph ? glyph->advance : downloaded->cellWidth;
        c = glyph ? DownloadedCharacter(byte) : U' ';
    } else {
        c = CharOfByte(env_.symbolSet, byte);
    }
    const double left = logicalOffset_ + env_.x;
    env_.x += advance;
    // Text is clipped at the printable area: nothing wraps.
    if (c == 0 || left < kUnprintableEdge - kEpsilon ||
        left + advance > pageWidth_ - kUnprintableEdge + kEpsilon) {
        CloseRun();
        return;
    }
    if (pageChars_ >= kMaxCharsPerPage)
        return;
    env_.atPageStart = false;
    if (env_.underline)
        Underline(left, advance);
    const double glyphAdvance = downloaded ? advance : 0;
    if (runOpen_ && page_.runs.back().glyphAdvance != glyphAdvance)
        CloseRun(); // cells of another width
    if (runOpen_) {
        page_.runs.back().text += c;
        if (downloaded)
            page_.runs.back().glyphs.push_back(std::move(glyph));
        ++pageChars_;
        return;
    }
    if (c == U' ' || page_.runs.size() >= kMaxRunsPerPage)
        return; // blanks move the cursor; they begin no run
    page_.runs.emplace_back(left, env_.y, std::u32string(1, c), PrintedFont(env_.font));
    if (downloaded) {
        page_.runs.back().glyphs.push_back(std::move(glyph));
        page_.runs.back().glyphAdvance = glyphAdvance;
    }
    ++pageChars_;
    runOpen_ = true;
    marked_ = true;
}

// The underline lies 5 dots below the baseline, 3 dots thick, under every
// cell printed while it is on, blanks too; cells side by side share one.
void PclInterpreter::Underline(double left, double width) {
    constexpr double kBelowBaseline = 5, kThickness = 3;
    const double top = env_.y + kBelowBaseline;
    if (!page_.rects.empty()) {
        ShadedRect& last = page_.rects.back();
        if (last.y == top && last.height == kThickness && last.shadePercent == 100 &&
            std::abs(last.x + last.width - left) < kEpsilon) {
            last.width += width;
            return;
        }
    }
    if (page_.rects.size() < kMaxUnderlines)
        page_.rects.push_back({left, top, width, kThickness, 100});
    marked_ = true;
}

char32_t PclInterpreter::DownloadedCharacter(int code) const {
    const char32_t c = namer_ ? namer_(softFonts_.SelectedId(), code) : 0;
    const bool printable =
        c >= 0x20 && (c < 0x7F || c > 0x9F) && (c < 0xD800 || c > 0xDFFF) && c <= 0x10FFFF;
    return printable ? c : U'\uFFFD';
}

void PclInterpreter::OnByte(unsigned char byte) {
    if (macros_.Defining()) {
        macros_.Record(byte);
        return;
    }
    const bool crAddsLf = lineTermination_ == 1 || lineTermination_ == 3;
    const bool lfAddsCr = lineTermination_ >= 2;
    switch (byte) {
    case kCarriageReturn:
        SetX(0);
        if (crAddsLf)
            LineFeed();
        return;
    case kLineFeed:
        if (lfAddsCr)
            SetX(0);
        LineFeed();
        return;
    case kFormFeed: // the next page starts at the left margin, as a PCL 5 printer's
        env_.x = 0;
        Eject();
        return;
    case kBackspace:
        SetX(env_.x - env_.hmi);
        return;
    case kTab: {
        // The printer's own stops: every 8 columns from the left margin.
        const double stop = 8 * env_.hmi;
        if (stop > 0)
            SetX((std::floor(env_.x / stop + kEpsilon) + 1) * stop);
        return;
    }
    default:
        break;
    }
    if (byte < 32 || byte == 127 || ignoringText_)
        return; // other control codes do nothing
    Print(byte);
}

} // namespace zl::render
