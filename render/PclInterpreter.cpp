#include "render/PclInterpreter.h"

#include "render/SymbolSetChars.h"

#include <algorithm>
#include <cmath>

namespace zl::render {

namespace {

constexpr double kDotsPerInch = 300;
constexpr double kDotsPerDecipoint = kDotsPerInch / 720;
constexpr double kEpsilon = 1e-6;
// The printer cannot mark the outer 1/6 inch of the paper.
constexpr double kUnprintableEdge = 50;
// Default margins: the text area begins and ends half an inch from the
// top and bottom of the logical page.
constexpr double kHalfInch = 150;

// Bounds that keep memory finite whatever the stream holds.
constexpr std::size_t kMaxRunsPerPage = 20000;
constexpr std::size_t kMaxRectsPerPage = 20000;
constexpr std::size_t kMaxCharsPerPage = 1 << 20;
constexpr std::size_t kMaxPushedPositions = 20;
constexpr int kMaxMacroDepth = 2;

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

int Int(double value) {
    return value > 32767 ? 32767 : value < -32767 ? -32767 : static_cast<int>(value);
}

} // namespace

PclInterpreter::PclInterpreter(PaperSize paper, PageSink sink, DownloadedCharacterNamer namer)
    : sink_(std::move(sink)), namer_(std::move(namer)), parser_(*this), paper_(std::move(paper)) {
    ResetPrinter();
}

void PclInterpreter::Feed(const void* data, std::size_t size) {
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

// ---- Commands ----

void PclInterpreter::OnCommand(const PclCommand& command) {
    if (macros_.Defining()) {
        macros_.Record(command);
        return;
    }
    Execute(command);
}

// A macro keeps no data: a font defined while one is defined is lost.
void PclInterpreter::OnData(const PclCommand& command, const unsigned char* data,
                            std::size_t size) {
    if (!macros_.Defining())
        softFonts_.Define(command, data, size);
}

void PclInterpreter::Execute(const PclCommand& command) {
    // The families of commands by kind and group (0: any), and what runs
    // each; the rest is parsed and not drawn.
    using Handler = void (PclInterpreter::*)(const PclCommand&);
    static const struct {
        char kind, group;
        Handler handler;
    } kFamilies[] = {
        {'E', 0, &PclInterpreter::Reset},
        {'=', 0, &PclInterpreter::HalfLineFeed},
        {'&', 'l', &PclInterpreter::PageControl},
        {'&', 'a', &PclInterpreter::CursorPosition},
        {'&', 'f', &PclInterpreter::MacroControl},
        {'&', 'k', &PclInterpreter::SpacingControl},
        {'*', 'p', &PclInterpreter::CursorPosition},
        {'*', 'c', &PclInterpreter::RectangleControl},
        {'(', 0, &PclInterpreter::FontControl},
        {'%', 0, &PclInterpreter::LanguageSwitch},
    };
    for (const auto& family : kFamilies) {
        if (family.kind == command.kind && (family.group == 0 || family.group == command.group)) {
            (this->*family.handler)(command);
            return;
        }
    }
}

void PclInterpreter::Reset(const PclCommand& command) {
    if (command.terminator == 0 && macroDepth_ == 0)
        ResetPrinter();
}

void PclInterpreter::HalfLineFeed(const PclCommand& command) {
    if (command.terminator == 0)
        MoveTo(env_.x, env_.y + env_.vmi / 2);
}

void PclInterpreter::SpacingControl(const PclCommand& command) {
    if (command.terminator == 'H' && command.value >= 0)
        env_.hmi = command.value * kDotsPerInch / 120; // 1/120 inch
    else if (command.terminator == 'G' && command.value >= 0 && command.value <= 3)
        lineTermination_ = Int(command.value);
}

// The universal exit ends HP-GL/2 as well.
void PclInterpreter::LanguageSwitch(const PclCommand& command) {
    if (command.terminator == 'B')
        ignoringText_ = true;
    else if (command.terminator == 'A' || command.terminator == 'X')
        ignoringText_ = false;
}

void PclInterpreter::PageControl(const PclCommand& command) {
    const double value = command.value;
    switch (command.terminator) {
    case 'O': // orientation: 0 portrait, 1 landscape, 2 and 3 their reverses
        if (value >= 0 && value <= 3 && macroDepth_ == 0) {
            Eject();
            SetOrientation(Int(value) % 2 == 1);
        }
        return;
    case 'A': { // paper size; the automatic overlay ends with the old paper
        PaperSize paper;
        if (macroDepth_ == 0 && PaperSize::OfPclCode(Int(value), paper)) {
            Eject();
            overlayId_ = -1;
            SetPaper(paper);
        }
        return;
    }
    case 'D': { // lines per inch
        const int lpi = Int(value);
        if (lpi == 1 || lpi == 2 || lpi == 3 || lpi == 4 || lpi == 6 || lpi == 8 || lpi == 12 ||
            lpi == 16 || lpi == 24 || lpi == 48) {
            env_.vmi = kDotsPerInch / lpi;
            MoveToFirstLineIfUntouched();
        }
        return;
    }
    case 'C': // VMI in 1/48 inch
        if (value >= 0 && value * kDotsPerInch / 48 <= pageLength_) {
            env_.vmi = value * kDotsPerInch / 48;
            MoveToFirstLineIfUntouched();
        }
        return;
    case 'E': // top margin, in lines; the text length goes back to its default
        if (env_.vmi > 0 && value >= 0 && value * env_.vmi <= pageLength_) {
            topMargin_ = value * env_.vmi;
            textBottom_ = std::max(topMargin_, pageLength_ - kHalfInch);
            MoveToFirstLineIfUntouched();
        }
        return;
    case 'F': // text length, in lines
        if (env_.vmi > 0 && value >= 0 && topMargin_ + value * env_.vmi <= pageLength_)
            textBottom_ = topMargin_ + value * env_.vmi;
        return;
    case 'L':
        if (value == 0 || value == 1)
            perforationSkip_ = value == 1;
        return;
    default:
        return;
    }
}

// ESC &a: decipoints, columns and rows; ESC *p: dots. Horizontal positions
// count from the logical page's left edge, vertical ones from the top
// margin; a signed value moves from where the cursor is.
void PclInterpreter::CursorPosition(const PclCommand& command) {
    const bool dots = command.kind == '*';
    const double value = command.value;
    double distance = 0;
    bool vertical = false;
    switch (command.terminator) {
    case 'H':
        distance = value * kDotsPerDecipoint;
        break;
    case 'C':
        distance = value * env_.hmi;
        break;
    case 'V':
        distance = value * kDotsPerDecipoint;
        vertical = true;
        break;
    case 'R':
        distance = value * env_.vmi;
        vertical = true;
        break;
    case 'X':
        distance = value;
        break;
    case 'Y':
        distance = value;
        vertical = true;
        break;
    default:
        return;
    }
    if (dots != (command.terminator == 'X' || command.terminator == 'Y'))
        return;
    if (!vertical) {
        SetX(command.relative ? env_.x + distance : distance);
        return;
    }
    // A row is a line: its baseline lies 3/4 of a line into it.
    const double origin = command.terminator == 'R' ? FirstLineY() : topMargin_;
    MoveTo(env_.x, command.relative ? env_.y + distance : origin + distance);
}

void PclInterpreter::MacroControl(const PclCommand& command) {
    const int value = Int(command.value);
    if (command.terminator == 'Y') {
        macros_.SetId(value);
        return;
    }
    if (command.terminator == 'S') {
        if (value == 0 && positionStack_.size() < kMaxPushedPositions) {
            positionStack_.emplace_back(env_.x, env_.y);
        } else if (value == 1 && !positionStack_.empty()) {
            MoveTo(positionStack_.back().first, positionStack_.back().second);
            positionStack_.pop_back();
        }
        return;
    }
    if (command.terminator != 'X')
        return;
    if (value == 2 || value == 3) { // execute, call
        RunMacro(macros_.Id());
        return;
    }
    if (value == 4 || value == 5) { // the automatic overlay on, off
        overlayId_ = value == 4 ? macros_.Id() : -1;
        return;
    }
    // A running macro keeps the definitions as they are; deleting them all
    // (6: all, 7: the temporary ones, all here) ends the overlay.
    if (macroDepth_ > 0)
        return;
    if (value == 6 || value == 7)
        overlayId_ = -1;
    macros_.Edit(value);
}

void PclInterpreter::FillRect(int percent) {
    CloseRun();
    const double x = logicalOffset_ + env_.x;
    const double y = env_.y;
    // Rectangles are clipped to the logical page.
    const double width = std::min(env_.rectWidth, logicalOffset_ + logicalWidth_ - x);
    const double height = std::min(env_.rectHeight, pageLength_ - y);
    if (width <= 0 || height <= 0 || page_.rects.size() >= kMaxRectsPerPage)
        return;
    page_.rects.push_back(ShadedRect{x, y, width, height, percent});
    marked_ = true;
}

void PclInterpreter::RectangleControl(const PclCommand& command) {
    const double value = command.value;
    const bool valid = value >= 0 && value <= 32767;
    switch (command.terminator) {
    case 'A':
        if (valid)
            env_.rectWidth = value;
        return;
    case 'B':
        if (valid)
            env_.rectHeight = value;
        return;
    case 'H': // decipoints, a part dot counting as a whole one
        if (valid)
            env_.rectWidth = std::ceil(value * kDotsPerDecipoint - kEpsilon);
        return;
    case 'V':
        if (valid)
            env_.rectHeight = std::ceil(value * kDotsPerDecipoint - kEpsilon);
        return;
    case 'G':
        if (valid)
            env_.pattern = value;
        return;
    case 'P':
        if (value == 0)
            FillRect(100);
        else if (value == 2 && env_.pattern > 0) // shaded, G the percentage
            FillRect(std::min(100, Int(env_.pattern)));
        // White, cross-hatched and user patterns are not drawn.
        return;
    case 'D': // soft fonts: the font ID, the character code, font control
    case 'E':
    case 'F':
        softFonts_.Command(command);
        return;
    default:
        return;
    }
}

// The font as the printer prints it: a fixed-spaced scalable face (every
// face here but the Line Printer bitmap) is scaled by its pitch and ignores
// the height asked for: 120 / pitch points.
FontChoice PclInterpreter::PrintedFont(const FontChoice& selected) {
    FontChoice printed = selected;
    if (printed.typeface != kLinePrinterTypeface && printed.pitch > 0)
        printed.height = 120.0 / printed.pitch;
    return printed;
}

void PclInterpreter::FontControl(const PclCommand& command) {
    if (softFonts_.Select(command))
        CloseRun();
    const double value = command.value;
    if (command.group == 0) { // a symbol set the program knows; the others as Roman-8
        if (command.terminator >= 'A' && command.terminator <= 'Z' && command.terminator != 'X') {
            env_.symbolSet = SymbolSetOfId(std::to_string(Int(value)) + command.terminator)
                                 .value_or(SymbolSet::Roman8);
            CloseRun();
        }
        return;
    }
    if (command.group != 's')
        return;
    switch (command.terminator) {
    case 'H':
        if (value > 0 && value <= 576) {
            env_.font.pitch = value;
            env_.hmi = CellWidth(value);
        }
        break;
    case 'V':
        if (value > 0 && value <= 999.75)
            env_.font.height = value;
        break;
    case 'T':
        env_.font.typeface = Int(value);
        break;
    default:
        return;
    }
    CloseRun();
}

} // namespace zl::render
