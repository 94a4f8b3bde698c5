// Turns one text file into one raw PCL job: prologue, greenbar overlay,
// a header on every page, numbered and wrapped lines.
#pragma once

#include "engine/FileInputSource.h"
#include "engine/InputFile.h"
#include "engine/ListingOptions.h"
#include "engine/PageGeometry.h"
#include "platform/Clock.h"
#include "platform/LocaleNames.h"
#include "printer/TPrinter.h"
#include "printer/UPrnRaw.h"

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
    ListingComposer(RawPrintJob& job, TPrinter& printers, const ListingOptions& options,
                    PageGeometry& geometry, const Clock& clock, const LocaleNames& names,
                    InputOpener openInput = FileInputSource::Open);

    // Prints `fileName` as one complete job on entry `printerIndex` of the
    // printer list, or raises. The file is opened before the job, so a file
    // that cannot be opened leaves no job; a failure after the job was
    // opened cancels the job, so nothing of the listing prints.
    void ZelListProcess(const std::string& fileName, std::int32_t printerIndex);

    // Writes the greenbar overlay macro into the open job.
    void ShadeIt();
    // One write of the bytes of `text`.
    void DirectPrint(const std::string& text);

private:
    void Compose(const std::string& fileName, std::int32_t printerIndex);
    void WritePrologue();
    void BuildHeaderLine(const std::string& fileName);
    void NextPageLabel();
    void NextLineNumber();
    void StartPage();
    void WriteHeaderLine();
    void WriteByte(unsigned char byte);
    bool InputEnded();
    void CountColumn();
    void Wrap();
    void WriteOrdinaryBytes();

    RawPrintJob& job_;
    TPrinter& printers_;
    const ListingOptions& options_;
    PageGeometry& geometry_;
    const Clock& clock_;
    const LocaleNames& names_;
    InputOpener openInput_;

    // State of the job being composed.
    std::string HeaderLine;
    std::string DateText;
    std::int32_t PageNumber = 0;
    std::string PageLabel;
    std::int32_t LineNumber = 0;
    std::string LineNumberText;
    std::int32_t ColumnCount = 0;
    std::int32_t LineOnPage = 0;
    bool LineStartPending = false;
    std::unique_ptr<InputFile> input_;
    bool opened_ = false; // this listing opened the job
    std::string headerWrite_;
};

} // namespace zl
