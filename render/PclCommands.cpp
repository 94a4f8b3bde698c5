// The PCL interpreter's escape sequences: page and cursor control, macros,
// rectangles, fonts and symbol sets, soft fonts, the language switch.
#include "render/PclInterpreter.h"

#include "render/PclUnits.h"
#include "render/SymbolSetChars.h"

#include <algorithm>
#include <cmath>

namespace zl::render {

namespace {

constexpr double kDotsPerDecipoint = kDotsPerInch / 720;

// Bounds that keep memory finite whatever the stream holds.
constexpr std::size_t kMaxRectsPerPage = 20000;
constexpr std::size_t kMaxPushedPositions = 20;

int Int(double value) {
    return value > 32767 ? 32767 : value < -32767 ? -32767 : static_cast<int>(value);
}

} // namespace

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
        {'&', 'd', &PclInterpreter::UnderlineControl},
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
// the height asked for: 120 / pitch points. Line Printer is resident only
// medium and upright: asked for bold or italic, the printer takes Courier.
FontChoice PclInterpreter::PrintedFont(const FontChoice& selected) {
    FontChoice printed = selected;
    if (printed.typeface == kLinePrinterTypeface && (printed.bold || printed.italic))
        printed.typeface = FontChoice{}.typeface;
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
    case 'B': // stroke weight: -7 thinnest, 0 medium, 3 bold, 7 blackest
        if (value >= -7 && value <= 7)
            env_.font.bold = value >= 3;
        break;
    case 'S': // style: its posture is the value's last two bits, 1 and 2 italic
        if (value >= 0 && value <= 32767)
            env_.font.italic = Int(value) % 4 == 1 || Int(value) % 4 == 2;
        break;
    default:
        return;
    }
    CloseRun();
}

void PclInterpreter::UnderlineControl(const PclCommand& command) {
    if (command.terminator == 'D' && (command.value == 0 || command.value == 3))
        env_.underline = true; // fixed or floating, drawn alike
    else if (command.terminator == '@')
        env_.underline = false;
}

} // namespace zl::render
