// A PCL 5 printer in software, for the commands a listing uses: it reads a
// byte stream in any chunking and hands each finished page to a sink as
// positioned runs of text and shaded rectangles. Bitmap soft fonts are
// downloaded and print by ID. Every other escape sequence is parsed and
// skipped; memory stays bounded whatever arrives.
#pragma once

#include "engine/SymbolSet.h"
#include "render/PageModel.h"
#include "render/PclMacros.h"
#include "render/PclParser.h"
#include "render/SoftFontStore.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace zl::render {

// The character a code of a downloaded font stands for, which the PCL
// stream does not tell; 0 for one it does not know.
using DownloadedCharacterNamer = std::function<char32_t(int fontId, int code)>;

class PclInterpreter : private PclHandler {
public:
    // A code printed from a downloaded font reads as `namer` names it, as
    // U+FFFD where it names none; a code without a glyph there prints
    // nothing and moves on a cell, like a blank.
    PclInterpreter(PaperSize paper, PageSink sink, DownloadedCharacterNamer namer = {});
    PclInterpreter(const PclInterpreter&) = delete;
    PclInterpreter& operator=(const PclInterpreter&) = delete;

    void Feed(const void* data, std::size_t size);
    // The end of the stream: a last page with marks on it is ejected.
    void Finish();
    // Pages handed to the sink so far.
    int PageCount() const { return pageCount_; }

private:
    static FontChoice PrintedFont(const FontChoice& selected);
    // What an automatic overlay runs in and gives back afterwards.
    struct Environment {
        double x = 0, y = 0, vmi = 0, hmi = 0;
        FontChoice font;
        SymbolSet symbolSet = SymbolSet::Pc8;
        double rectWidth = 0, rectHeight = 0, pattern = 0;
        bool atPageStart = true;
        bool underline = false;
    };

    void OnByte(unsigned char byte) override;
    void OnCommand(const PclCommand& command) override;
    void OnData(const PclCommand& command, const unsigned char* data, std::size_t size) override;
    void Execute(const PclCommand& command);
    void Reset(const PclCommand& command);            // ESC E
    void HalfLineFeed(const PclCommand& command);     // ESC =
    void PageControl(const PclCommand& command);      // ESC &l
    void CursorPosition(const PclCommand& command);   // ESC &a, ESC *p
    void MacroControl(const PclCommand& command);     // ESC &f
    void SpacingControl(const PclCommand& command);   // ESC &k
    void UnderlineControl(const PclCommand& command); // ESC &d
    void RectangleControl(const PclCommand& command); // ESC *c, soft font IDs too
    void FontControl(const PclCommand& command);      // ESC (s, ESC (#U, ESC (#X
    void LanguageSwitch(const PclCommand& command);   // ESC %: HP-GL/2 and back

    void ResetPrinter();
    void SetOrientation(bool landscape);
    void SetPaper(const PaperSize& paper);
    void DefaultMargins();
    void Print(unsigned char byte);
    char32_t DownloadedCharacter(int code) const;
    // Underlines the cell from `left`, `width` dots wide, on the current line.
    void Underline(double left, double width);
    void LineFeed();
    void Eject();
    void RunOverlay();
    void RunMacro(int id);
    void FillRect(int percent);

    double FirstLineY() const;
    void MoveTo(double x, double y);
    void SetX(double x);
    void MoveToFirstLineIfUntouched();
    void CloseRun();

    PageSink sink_;
    DownloadedCharacterNamer namer_;
    PclParser parser_;
    int pageCount_ = 0;

    // The page being drawn.
    PaperSize paper_;
    bool landscape_ = false;
    double pageWidth_ = 0, pageLength_ = 0; // along the turned page
    double logicalOffset_ = 0, logicalWidth_ = 0;
    Page page_;
    bool marked_ = false;
    bool runOpen_ = false; // the last run takes the next character
    std::size_t pageChars_ = 0;

    // The printer's state.
    Environment env_;
    double topMargin_ = 0, textBottom_ = 0;
    bool perforationSkip_ = true;
    int lineTermination_ = 0;
    bool ignoringText_ = false; // between ESC %#B and ESC %#A (HP-GL/2)
    std::vector<std::pair<double, double>> positionStack_;
    SoftFontStore softFonts_;

    // Macros: their definitions, the automatic overlay, the depth of calls.
    PclMacros macros_;
    int overlayId_ = -1;
    int macroDepth_ = 0;
    // What was fed, and how many macro items ran: the macros' time limit.
    std::uint64_t bytesFed_ = 0, macroItemsRun_ = 0;
    bool inOverlay_ = false;
};

} // namespace zl::render
