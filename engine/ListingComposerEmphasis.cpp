// The listing's syntax emphasis in the printer's resident faces. Courier
// has bold and italic: keywords and types print in Courier Bold, comments
// in Courier Italic, at the same pitch, so no column moves. Line Printer
// has neither (asking for them makes the printer choose another face):
// keywords are printed twice, the second time two dots to the right, and
// comments are underlined.
#include "engine/ListingComposer.h"

#include <algorithm>

namespace zl {

namespace {

const std::string kEsc = "\x1b";
const std::string kNoEmphasis = "none";
const std::string kStandardInput = "-";

} // namespace

// The input's bytes as they are, told their emphasis when the listing asks
// for it; the language comes from the file's name, else from the title that
// names it (standard input's, a print server's spool file's).
std::unique_ptr<InputSource> ListingComposer::WithEmphasis(std::unique_ptr<InputSource> source,
                                                           const std::string& fileName) {
    emphasis_ = nullptr;
    wanted_ = printed_ = Emphasis::Plain;
    wantedUntil_ = 0;
    if (options_.emphasis.empty() || options_.emphasis == kNoEmphasis)
        return source;
    std::vector<std::string> names = {options_.title};
    if (fileName != kStandardInput)
        names.insert(names.begin(), fileName);
    auto highlighted =
        std::make_unique<EmphasisSource>(std::move(source), options_.emphasis, std::move(names));
    emphasis_ = highlighted.get();
    return highlighted;
}

// The emphasis of the input's next byte, and how far it lasts.
void ListingComposer::UpdateEmphasis() {
    const std::uint64_t position = input_->Position();
    if (position < wantedUntil_)
        return;
    const EmphasisSource::Stretch stretch = emphasis_->StretchAt(position);
    wanted_ = stretch.emphasis;
    wantedUntil_ = stretch.end;
}

// Asks the printer for `emphasis` unless it has it; on pages left out,
// nothing changes.
void ListingComposer::ShowEmphasis(Emphasis emphasis) {
    if (emphasis == printed_ || !writingPage_)
        return;
    std::string commands;
    if (options_.linePrinter) { // the overstrike needs no state
        if (printed_ == Emphasis::Comment)
            commands = kEsc + "&d@";
        if (emphasis == Emphasis::Comment)
            commands += kEsc + "&d0D";
    } else {
        if (printed_ == Emphasis::Strong)
            commands = kEsc + "(s0B";
        else if (printed_ == Emphasis::Comment)
            commands = kEsc + "(s0S";
        if (emphasis == Emphasis::Strong)
            commands += kEsc + "(s3B";
        else if (emphasis == Emphasis::Comment)
            commands += kEsc + "(s1S";
    }
    printed_ = emphasis;
    WriteAlways(commands);
}

// Ordinary characters of the text in its emphasis, when the page is
// written. In a font selected by its number they print as drawn.
void ListingComposer::PutText(const unsigned char* bytes, std::size_t count) {
    if (!writingPage_)
        return;
    const bool inFont = characterSets_->IsFont(selectedSet_);
    const Emphasis emphasis = inFont && !options_.linePrinter ? Emphasis::Plain : wanted_;
    ShowEmphasis(emphasis);
    const auto length = static_cast<std::int32_t>(count);
    if (emphasis != Emphasis::Strong || !options_.linePrinter) {
        out_.Put(bytes, length);
        return;
    }
    // The run from a place kept, then again from that place two dots to the
    // right; the cursor goes back to where the first run ended.
    static const std::string kKeep = kEsc + "&f0S";
    static const std::string kAgain = kEsc + "&f1S" + kEsc + "*p+2X";
    static const std::string kBack = kEsc + "*p-2X";
    WriteAlways(kKeep);
    out_.Put(bytes, length);
    WriteAlways(kAgain);
    out_.Put(bytes, length);
    WriteAlways(kBack);
}

} // namespace zl
