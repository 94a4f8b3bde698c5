// A print job: a stream of bytes handed to one printer queue as a single
// document, of data type raw unless told otherwise, so that nothing renders
// it on the way. There is at most one open job at a time; its bytes are
// written as to any byte sink.
#pragma once

#include "platform/ByteSink.h"
#include "printing/PrintService.h"

#include <cstdint>
#include <memory>
#include <string>

namespace zl {

class RawPrintJob : public ByteSink {
public:
    explicit RawPrintJob(PrintService& service) : service_(service) {}
    // A job still open when the object ends is cancelled, never half printed.
    ~RawPrintJob() override;
    RawPrintJob(const RawPrintJob&) = delete;
    RawPrintJob& operator=(const RawPrintJob&) = delete;

    // Opens `printerName` and starts a document named `docName` on it. A
    // printer that cannot be opened raises; a document the printer refuses
    // leaves the job open and fails its first write, with the cause.
    void StartJob(const std::string& printerName, const std::string& docName,
                  DataType dataType = DataType::Raw);
    // Hands `count` bytes to the open job, as Write does. A one-byte write
    // goes straight into the job's buffer when it offers room; everything
    // else goes to the job, again for what it did not take, until it has
    // taken all or takes nothing. Raises Interrupted once a stop signal has
    // arrived.
    void WriteData(const void* data, std::int32_t count) { Write(data, count); }
    // The job's one page ends with it.
    void EndPage() {}
    // Completes the job; no job is open after it, whatever the print system
    // says, and a job it could not complete is reported.
    void EndJob();
    // Cancels the open job so that none of it prints; no job is open after it.
    void AbortJob();

    bool IsOpen() const { return open_; }
    // The print system's id of the job last started (0 when it refused it).
    std::uint32_t JobId() const { return jobId_; }

protected:
    void WriteThrough(const void* data, std::int32_t count) override;

private:
    // Closes the job; what it was, for ending it.
    std::unique_ptr<PrintJob> Close();

    PrintService& service_;
    std::unique_ptr<PrintJob> job_;
    bool open_ = false;
    std::uint32_t jobId_ = 0;
    std::string refusedCause_; // why the printer refused the document
};

} // namespace zl
