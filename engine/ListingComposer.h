// Turns one text file into the bytes of one raw PCL job: prologue, greenbar
// overlay, a header on every page, numbered and wrapped lines. It writes
// them to a byte sink and knows nothing of printers or jobs.
#pragma once

#include "engine/CharacterSets.h"
#include "engine/EmphasisSource.h"
#include "engine/FileInputSource.h"
#include "engine/HeaderCharacters.h"
#include "engine/InputDecoder.h"
#include "engine/InputFile.h"
#include "engine/LineNumbering.h"
#include "engine/ListingCounts.h"
#include "engine/ListingHeader.h"
#include "engine/ListingOptions.h"
#include "engine/PageGeometry.h"
#include "engine/StopBytes.h"
#include "engine/SymbolSet.h"
#include "engine/SystemGlyphs.h"
#include "platform/BufferedSinkWriter.h"
#include "platform/ByteSink.h"
#include "platform/Clock.h"
#include "platform/LocaleNames.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zl {

class ListingComposer {
public:
    // Lists with `options` (kept as they are now) on the page they make.
    // `clock` and `names` are borrowed and must outlive the composer. Each
    // listing's input is opened through `openInput`. The listing reaches its
    // sink in writes of `chunkSize` bytes: each ends at a multiple of it in
    // the stream, but for those of the prologue and the end.
    ListingComposer(const ListingOptions& options, const Clock& clock, const LocaleNames& names,
                    InputOpener openInput = FileInputSource::Open,
                    std::size_t chunkSize = BufferedSinkWriter::kChunkSize);

    // Writes the listing of `fileName` to `out`, or raises; `out` is not
    // finished, its owner ends the stream. `whenOpened` runs once the file
    // is open, before the first write: a file that cannot be opened, or an
    // unknown input encoding, raises before it runs. The prologue is written
    // at once, so a sink that takes no bytes raises before the file is read.
    // After a failure nothing more reaches `out`. The file is closed
    // whatever happens.
    void Compose(const std::string& fileName, ByteSink& out,
                 const std::function<void()>& whenOpened = {});
    // Runs as each page of the listings composed from now on begins, with
    // its number as the listing counts pages, whether it is written or not;
    // it may raise to end the listing there, everything before the page
    // written.
    void OnPageStart(std::function<void(std::int32_t page)> pageStart) {
        pageStart_ = std::move(pageStart);
    }
    // The pages of the listing composed last, as the printer ejects them:
    // each begun by a header, and each a form feed began that got a line;
    // of those, the ones the options' page selection writes.
    std::int32_t PagesComposed() const { return pagesComposed_; }
    // What of the pages written of the listing composed last did not print
    // exactly: the characters that neither a set the listing may use nor its
    // downloaded font prints, and so on.
    const ListingCounts& Counts() const { return counts_; }
    // The character whose glyph the listing composed last downloaded under
    // `code` in its font `fontId` (from kDownloadedFontId on); 0 for a code
    // it gave none.
    char32_t DownloadedCharacter(int fontId, int code) const {
        const auto index = static_cast<std::size_t>(fontId - kDownloadedFontId);
        return fontId >= kDownloadedFontId && index < downloadedFonts_.size() && code >= 0 &&
                       code < 256
                   ? downloadedFonts_[index].characters[static_cast<std::size_t>(code)]
                   : 0;
    }

private:
    void WriteListing(const std::string& fileName, const std::function<void()>& whenOpened);
    // One write of the bytes of `text`, when the page is written.
    void Write(const std::string& text);
    // The same whatever the page: the prologue and the overlay.
    void WriteAlways(const std::string& text);
    void CountPage();
    // Writes the greenbar overlay macro, unless the options print no bars.
    void WriteGreenbarOverlay();
    void PrepareCharacters();
    void WritePrologue();
    void BuildHeaderLine(const std::string& fileName);
    void WriteHeader(const std::string& line);
    void WriteLineNumber();
    void StartPage();
    void StartLine();
    void EndLine();
    bool InputEnded();
    void Wrap();
    // Wraps a line that a character filled, now that more follows.
    void WrapIfFull();
    void WriteColumns(const unsigned char* bytes, std::size_t count);
    void WriteRunsAhead();
    const unsigned char* WritePlainLines(const unsigned char* next, const unsigned char* end);
    void WriteSpecial(unsigned char byte);
    void WriteCharacter(unsigned char byte);
    InputDecoder::Result DecodeAhead(std::size_t& length, char32_t& character);
    bool MarkMayBeginAt(const unsigned char* at, const unsigned char* end);
    void WriteWithMarks(char32_t base);
    void WritePrinted(char32_t character);
    void WriteUndecoded(unsigned char byte);
    int WriteChosen(char32_t character);
    int WriteGlyph(int set, unsigned char code);
    struct DownloadedFont;
    DownloadedFont& FontToDownload(int set);
    bool Download(int set, unsigned char code);
    std::string FaceSelection() const;
    void SelectSet(int set);
    // The listing's set and face again after downloaded characters, before
    // anything else is printed; blanks between them stay in the font.
    void LeaveFont(const unsigned char* bytes = nullptr, std::size_t count = 0);
    bool DownloadBlank();
    void WriteColumn(unsigned char byte);
    void WriteShown(unsigned char control);
    void WriteTabs(std::size_t tabs);
    void SkipByteOrderMark();
    // Syntax emphasis: the printer's weight and style (or underline and
    // overstrike) follow the emphasis of the text's bytes; headers, line
    // numbers and indents print plainly.
    std::unique_ptr<InputSource> WithEmphasis(std::unique_ptr<InputSource> source,
                                              const std::string& fileName);
    void UpdateEmphasis();
    void ShowEmphasis(Emphasis emphasis);
    void PutText(const unsigned char* bytes, std::size_t count);

    const ListingOptions options_;
    const PageGeometry geometry_;
    const Clock& clock_;
    const LocaleNames& names_;
    InputOpener openInput_;
    std::function<void(std::int32_t page)> pageStart_;

    // The listing's bytes on their way to the sink it is composed into.
    BufferedSinkWriter out_;

    // State of the listing being composed.
    ListingHeader header_;
    HeaderCharacters headerCharacters_;
    std::int32_t datePosition_ = 0;
    std::int32_t pageNumber_ = 0;
    std::int32_t pagesComposed_ = 0; // the pages written
    std::int32_t pagesCounted_ = 0;  // every page, written or not
    bool writingPage_ = true;        // the page is one of those asked for
    bool pageMarked_ = false;        // anything on the page being composed
    LineNumbering numbering_;
    std::int32_t columnCount_ = 0;
    // The line is full: it wraps with the next character of its own, not
    // at its end.
    bool wrapPending_ = false;
    std::int32_t lineOnPage_ = 0;
    bool lineStartPending_ = false;
    // Characters of the source line written so far, for its tab stops.
    std::uint64_t sourceColumn_ = 0;
    std::unique_ptr<InputFile> input_;
    // The emphasis of the input's bytes, when the listing has any: the
    // source in input_'s chain that tells it, the emphasis of the bytes
    // being written and the input's offset up to which it lasts, and the
    // emphasis the printer has now.
    EmphasisSource* emphasis_ = nullptr;
    Emphasis wanted_ = Emphasis::Plain;
    std::uint64_t wantedUntil_ = 0;
    Emphasis printed_ = Emphasis::Plain;

    // How the file's characters are read and printed.
    std::unique_ptr<InputDecoder> decoder_;
    std::unique_ptr<SystemGlyphs> glyphs_; // those of the downloaded font
    std::unique_ptr<CharacterSets> characterSets_;
    int selectedSet_ = 0; // of characterSets_, as the printer has it now
    ListingCounts counts_;
    // The fonts downloaded: by code, the characters of each (0: none yet),
    // and whether its header is; the font the downloads go to now.
    struct DownloadedFont {
        std::array<char32_t, 256> characters{};
        bool defined = false;
    };
    std::vector<DownloadedFont> downloadedFonts_;
    int downloadTarget_ = 0;
    std::uint32_t tabSize_ = 0;
    bool skipByteOrderMark_ = false; // "auto" drops a UTF-8 one
    std::string transcodeFrom_;      // the encoding read as UTF-8, if any
    bool showControls_ = true;       // control characters in caret notation
    // The bytes that stop the run of ordinary bytes: line ends, form feed,
    // byte 26, TAB, the control bytes to show, and those that may begin a
    // character.
    StopBytes stops_;
};

} // namespace zl
