// `zellist -o`: a print service with one printer that writes every document of the
// run into one given file, one after another, and never removes or empties
// anything it did not create.
//
// A regular file is replaced, never rewritten in place: the first document
// goes into a temporary beside it (the same folder, so that a rename can take
// the file's place) and is renamed onto it only once complete and on the
// storage. Until then a file already there stays exactly as it was, and a
// first document that fails or is cancelled leaves it so. Later documents are
// appended to the file the run made; one that fails or is cancelled is cut
// off again, so the file only ever holds complete documents. Through a
// symbolic link, the file the link finally names is replaced and the link
// stays a link.
//
// A device, pipe, FIFO, socket or "-" (standard output) is written straight
// through and never created, emptied or removed; what reached it of a
// document that did not complete cannot be taken back, and the run writes no
// more documents there.
#pragma once

#include "printing/SinglePrinterService.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace zl {

class OutputFileService : public SinglePrinterService {
public:
    static constexpr const char* kPrinterName = "Output File";

    // Nothing is opened or created before the first document starts.
    explicit OutputFileService(std::filesystem::path path);
    ~OutputFileService() override;

    // True once a document that did not complete left bytes that cannot be
    // taken back: on a pipe, a device or standard output, or in a file that
    // could not be cut back. No more documents are written then.
    bool EndsIncomplete() const { return endsIncomplete_; }

private:
    class Job;
    std::unique_ptr<DocumentJob> NewJob() override;
    // Opens the destination for the run's first document: empty, or what
    // kept it from opening.
    std::string Open();
    std::string OpenStream();
    std::string OpenTemporary(const std::filesystem::file_status& existing);
    // Renames the first document's temporary onto the file: 0 or the error number.
    int Publish();
    // Closes the destination; a temporary not yet published is removed.
    void Close();

    std::filesystem::path path_;
    std::filesystem::path file_; // the regular file written, links followed
    std::filesystem::path temp_; // the first document's, until it is published
    int fd_ = -1;                // -1 until a document starts
    bool stream_ = false;        // a device, pipe, FIFO, socket or standard output
    bool writing_ = false;       // a document is open
    bool endsIncomplete_ = false;
    std::uint64_t complete_ = 0; // the bytes of the documents that completed
    std::uint32_t documents_ = 0;
};

} // namespace zl
