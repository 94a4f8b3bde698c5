// Feeds random files and page options to the listing composer, and renders
// both the composed PCL stream and the file's raw bytes with the PCL
// interpreter. Nothing may crash; the file's printable ASCII bytes before its
// first byte 26 reach the printer in order whatever the options, in the
// encodings that read ASCII as ASCII (but for letters that combining marks
// compose with into other characters); with every byte read and sent as it is
// and TABs passed through, so do all its bytes but CR and LF; with control
// characters shown, every ESC of the listing is one of its prologue, its
// overlays, its selections of symbol sets or its downloaded font; no
// rendered page holds an ESC character; a listing whose file sent no ESC
// bytes has at most one page more than the file has bytes; and with control
// characters shown the printer ejects as many pages as the listing counts,
// so the PDF has them all. A fourth option
// byte turns the font off, and the file's bytes into UTF-8 text of
// characters from all over Unicode.
#include "engine/GreenbarOverlay.h"
#include "engine/ListingComposer.h"
#include "engine/MemorySink.h"
#include "engine/UnicodeText.h"
#include "engine/Utf8.h"
#include "render/PclInterpreter.h"
#include "render/RenderSink.h"
#include "tests/support/DownloadedFontCommands.h"

#include <algorithm>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// The first four read ASCII bytes as ASCII; UTF-16 and EBCDIC (IBM037) do
// not, and decode some characters to control characters.
const char* const kEncodings[] = {"auto", "raw", "latin1", "cp1252", "UTF-16", "IBM037"};
constexpr unsigned kEncodingCount = sizeof kEncodings / sizeof kEncodings[0];
constexpr unsigned kAsciiEncodingCount = 4;
constexpr char kEsc = '\x1b';

// The options a fuzz input's three option bytes choose.
zl::ListingOptions FuzzOptions(std::uint8_t flags, std::int8_t barHeight, std::uint8_t text,
                               std::uint8_t more) {
    zl::ListingOptions options;
    options.landscape = flags & 1;
    options.compressed = flags & 8;
    options.linePrinter = (flags & 2) && options.compressed;
    options.roman8 = flags & 4;
    options.sixLpi = flags & 16;
    options.printBars = !(flags & 32);
    options.showControlChars = !(flags & 64);
    options.barHeight = barHeight;
    options.tabSize = text % 17;
    options.inputEncoding = kEncodings[(text / 17) % kEncodingCount];
    // UTF-16 gives characters from all of Unicode, for the other sets.
    options.symbolSets = flags & 128 ? "none" : "";
    options.downloadFont = !(more & 1);
    // Syntax emphasis through each highlighter: tree-sitter's, source-highlight's.
    options.emphasis = more & 8 ? "cpp" : more & 16 ? "sh" : "none";
    return options;
}

// The bytes as UTF-8 text: ASCII as it is; a byte from 128 up and the next
// make the character 128 + their 15 bits (Latin to CJK, no surrogates).
std::string AsUnicodeText(const std::uint8_t* data, std::size_t size) {
    std::string text;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] < 128) {
            text += static_cast<char>(data[i]);
            continue;
        }
        const unsigned high = data[i] & 0x7fu;
        const unsigned low = ++i < size ? data[i] : 0;
        const unsigned c = 128 + (high << 8 | low);
        if (c < 0x800) {
            text += static_cast<char>(0xc0 | c >> 6);
        } else {
            text += static_cast<char>(0xe0 | c >> 12);
            text += static_cast<char>(0x80 | (c >> 6 & 0x3f));
        }
        text += static_cast<char>(0x80 | (c & 0x3f));
    }
    return text;
}

// Whether the UTF-8 text at data[0..size) begins with a combining mark.
bool CombiningMarkAt(const std::uint8_t* data, std::size_t size) {
    std::size_t length = 0;
    char32_t c = 0;
    return zl::DecodeUtf8(data, size, length, c) == zl::InputDecoder::Result::Character &&
           zl::IsCombiningMark(c);
}

// The file bytes before its first byte 26 that must appear in the output in
// order: the printable ASCII ones, or with `everyByte` all but CR and LF. In
// UTF-8 text (`utf8`) a letter before a combining mark may print composed
// with it, as another character.
std::string ExpectedBytes(const std::uint8_t* data, std::size_t size, bool everyByte, bool utf8) {
    std::string expected;
    for (std::size_t i = 0; i < size && data[i] != 26; ++i) {
        const bool kept =
            everyByte ? data[i] != 13 && data[i] != 10 : data[i] >= 32 && data[i] < 127;
        if (kept && !(utf8 && CombiningMarkAt(data + i + 1, size - i - 1)))
            expected += static_cast<char>(data[i]);
    }
    return expected;
}

bool IsSubsequence(const std::string& needle, const std::string& haystack) {
    std::size_t at = 0;
    for (char c : haystack) {
        if (at < needle.size() && needle[at] == c)
            ++at;
    }
    return at == needle.size();
}

// How many times `text` selects one of the symbol sets listings print from.
std::ptrdiff_t SetSelections(const std::string& text) {
    std::ptrdiff_t count = 0;
    for (const zl::SymbolSetInfo& set : zl::KnownSymbolSets()) {
        const std::string selection = std::string(1, kEsc) + "(" + set.pclId;
        for (std::size_t at = text.find(selection); at != std::string::npos;
             at = text.find(selection, at + 1))
            ++count;
    }
    return count;
}

// The ESC bytes of the emphasis commands in `text`: weight, style and
// underline commands, one each, and the four of each overstruck run.
std::ptrdiff_t EmphasisEscapes(const std::string& text) {
    std::ptrdiff_t count = 0;
    for (const char* command : {"(s3B", "(s0B", "(s1S", "(s0S", "&d0D", "&d@", "*p+2X"}) {
        const std::string escape = std::string(1, kEsc) + command;
        const std::ptrdiff_t escapes = escape == "\x1b*p+2X" ? 4 : 1;
        for (std::size_t at = text.find(escape); at != std::string::npos;
             at = text.find(escape, at + 1))
            count += escapes;
    }
    return count;
}

// Aborts unless the listing's ESC bytes are those of its prologue (what comes
// before the header of the listing of an empty file, less its overlay), of
// whole overlays, of selections of symbol sets and of emphasis: so no ESC
// of the file reached it.
void CheckEveryEscapeIsTheListingsOwn(const std::string& listing, const std::string& emptyListing,
                                      const std::string& overlay) {
    const std::size_t header = emptyListing.find("  File: ");
    const std::size_t prologueEnd = overlay.empty() ? header : emptyListing.find(overlay);
    if (header == std::string::npos || prologueEnd > header ||
        listing.compare(0, prologueEnd, emptyListing, 0, prologueEnd) != 0)
        std::abort();
    auto escapes = [](const std::string& text, std::size_t from, std::size_t to) {
        return std::count(text.begin() + static_cast<std::ptrdiff_t>(from),
                          text.begin() + static_cast<std::ptrdiff_t>(to), kEsc);
    };
    std::ptrdiff_t overlays = 0;
    for (std::size_t at = listing.find(overlay, prologueEnd);
         !overlay.empty() && at != std::string::npos;
         at = listing.find(overlay, at + overlay.size()))
        ++overlays;
    const std::string rest = zl::test::WithoutTheDownloadedFont(listing.substr(prologueEnd));
    if (escapes(rest, 0, rest.size()) != overlays * escapes(overlay, 0, overlay.size()) +
                                             SetSelections(listing.substr(prologueEnd)) +
                                             EmphasisEscapes(rest))
        std::abort();
}

// Counts the pages an interpreter hands over and aborts on one whose text
// holds an ESC: every escape sequence is a command, never a character.
class PageCheck {
public:
    zl::render::PageSink Sink() {
        return [this](const zl::render::Page& page) {
            ++pages_;
            for (const zl::render::TextRun& run : page.runs) {
                if (run.text.find(U'\x1b') != std::u32string::npos)
                    std::abort();
            }
        };
    }
    std::size_t Pages() const { return pages_; }

private:
    std::size_t pages_ = 0;
};

// Renders the composed `listing` through a render sink in `chunk`-byte
// writes, as the PDF and printer paths do; returns its page count.
std::size_t RenderListing(const std::string& listing, std::size_t chunk) {
    PageCheck check;
    zl::render::PclInterpreter interpreter(zl::render::PaperSize::Letter(), check.Sink());
    zl::render::RenderSink sink(interpreter);
    for (std::size_t at = 0; at < listing.size(); at += chunk) {
        const std::size_t count = std::min(chunk, listing.size() - at);
        sink.Write(listing.data() + at, static_cast<std::int32_t>(count));
    }
    sink.Finish();
    if (static_cast<std::size_t>(interpreter.PageCount()) != check.Pages())
        std::abort();
    return check.Pages();
}

// Feeds the file's own bytes to an interpreter, as if sent raw.
void RenderRaw(const std::uint8_t* data, std::size_t size) {
    PageCheck check;
    zl::render::PclInterpreter interpreter(zl::render::PaperSize::A4(), check.Sink());
    interpreter.Feed(data, size);
    interpreter.Finish();
}

std::string TempFile() {
    char name[] = "/tmp/zellist-fuzz-XXXXXX";
    int fd = mkstemp(name);
    if (fd < 0)
        std::abort();
    close(fd);
    return name;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    static const std::string path = TempFile();
    const std::uint8_t flags = data[0];
    const auto barHeight = static_cast<std::int8_t>(data[1]);
    const std::uint8_t text = data[2];
    const std::uint8_t more = data[3];
    data += 4;
    size -= 4;
    std::string unicode;
    if (more & 2) {
        unicode = AsUnicodeText(data, size);
        data = reinterpret_cast<const std::uint8_t*>(unicode.data());
        size = unicode.size();
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0)
        std::abort();

    const zl::ListingOptions options = FuzzOptions(flags, barHeight, text, more);
    const bool readsAsciiAsAscii = (text / 17) % kEncodingCount < kAsciiEncodingCount;
    zl::FixedClock clock(zl::LocalTime{2026, 12, 6, 0, 11, 31, 0});
    const zl::LocaleNames names = zl::LocaleNames::English();
    // Small chunks of an odd size: the listing crosses many a chunk's end.
    zl::ListingComposer composer(options, clock, names, zl::FileInputSource::Open, 1021);

    zl::MemorySink sink;
    composer.Compose(path, sink);
    const std::int32_t composed = composer.PagesComposed();
    const std::string& output = sink.Bytes();
    if (options.showControlChars) {
        std::string overlay;
        if (options.printBars) {
            for (const std::string& piece :
                 zl::OverlayPieces(zl::GeometryFor(options), options.barHeight))
                overlay += piece;
        }
        static const std::string emptyPath = TempFile(); // stays empty
        zl::MemorySink empty;
        composer.Compose(emptyPath, empty);
        CheckEveryEscapeIsTheListingsOwn(output, empty.Bytes(), overlay);
    }
    const bool bars = options.printBars;
    if (output.compare(0, 2,
                       "\x1b"
                       "E") != 0 ||
        output.size() < 6 || (bars && output.compare(output.size() - 5, 5, "\x1b&f4X") != 0))
        std::abort();
    const bool everyByte =
        options.inputEncoding == "raw" && options.tabSize == 0 && !options.showControlChars;
    if (readsAsciiAsAscii &&
        !IsSubsequence(ExpectedBytes(data, size, everyByte, options.inputEncoding == "auto"),
                       output))
        std::abort();

    // The composer starts a page only when a line of the file needs one (a
    // full page, a wrapped line) or for its FF byte, and every such line
    // takes at least one byte; ESC bytes sent as they are may set any page
    // length, so they void the bound.
    const std::size_t pages = RenderListing(output, 1 + text % 64);
    const bool escapesSent =
        !options.showControlChars && std::find(data, data + size, kEsc) != data + size;
    if (!escapesSent && pages > size + 1)
        std::abort();
    // Without the file's control bytes the printer (and so the PDF) ejects
    // the pages the listing counts.
    if (options.showControlChars && pages != static_cast<std::size_t>(composed))
        std::abort();
    RenderRaw(data, size);
    return 0;
}
