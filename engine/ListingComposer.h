// Turns one text file into one raw PCL job: prologue, greenbar overlay,
// a header on every page, numbered and wrapped lines.
#pragma once

#include "engine/FileInputSource.h"
#include "engine/InputDecoder.h"
#include "engine/InputFile.h"
#include "engine/ListingHeader.h"
#include "engine/ListingOptions.h"
#include "engine/PageGeometry.h"
#include "engine/SymbolSet.h"
#include "platform/Clock.h"
#include "platform/LocaleNames.h"
#include "printer/PrinterList.h"
#include "printer/RawPrintJob.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace zl {

class ListingComposer {
public:
    static constexpr const char* kDocumentName = "ZelPrint Job";

    // Everything is borrowed and must outlive the composer. `geometry` holds
    // the four page settings; the composer derives the other three. Each
    // listing's input is opened through `openInput`.
    ListingComposer(RawPrintJob& job, PrinterList& printers, const ListingOptions& options,
                    PageGeometry& geometry, const Clock& clock, const LocaleNames& names,
                    InputOpener openInput = FileInputSource::Open);

    // Prints `fileName` as one complete job on entry `printerIndex` of the
    // printer list, or raises. The file is opened before the job, so a file
    // that cannot be opened, or an unknown input encoding, leaves no job; a
    // failure after the job was opened cancels the job, so nothing of the
    // listing prints.
    void PrintListing(const std::string& fileName, std::int32_t printerIndex);

    // Writes the greenbar overlay macro into the open job, unless the
    // options print no bars.
    void WriteGreenbarOverlay();
    // One write of the bytes of `text`.
    void DirectPrint(const std::string& text);

private:
    void Compose(const std::string& fileName, std::int32_t printerIndex);
    void PrepareCharacters();
    void WritePrologue();
    void BuildHeaderLine(const std::string& fileName);
    void NextLineNumber();
    void StartPage();
    void StartLine();
    void EndLine();
    void WriteByte(unsigned char byte);
    bool InputEnded();
    void CountColumn();
    void Wrap();
    void WriteOrdinaryBytes();
    void WriteSpecial(unsigned char byte);
    void WriteCharacter(unsigned char byte);
    void WriteTab();
    void SkipByteOrderMark();

    RawPrintJob& job_;
    PrinterList& printers_;
    const ListingOptions& options_;
    PageGeometry& geometry_;
    const Clock& clock_;
    const LocaleNames& names_;
    InputOpener openInput_;

    // State of the job being composed.
    ListingHeader header_;
    std::int32_t PageNumber = 0;
    std::int32_t LineNumber = 0;
    std::string LineNumberText;
    std::int32_t ColumnCount = 0;
    std::int32_t LineOnPage = 0;
    bool LineStartPending = false;
    // Characters of the source line written so far, for its tab stops.
    std::uint64_t sourceColumn_ = 0;
    std::unique_ptr<InputFile> input_;
    bool opened_ = false; // this listing opened the job

    // How the file's characters are read and printed.
    std::unique_ptr<InputDecoder> decoder_;
    const SymbolSetMap* symbols_ = nullptr;
    std::uint32_t tabSize_ = 0;
    bool skipByteOrderMark_ = false; // "auto" drops a UTF-8 one
    // The bytes that stop the run of ordinary bytes: line ends, form feed,
    // byte 26, TAB, and those that may begin a character.
    std::array<bool, 256> stops_{};
};

} // namespace zl
