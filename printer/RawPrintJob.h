// A print job: a stream of bytes handed to one printer queue as a single
// document, of data type raw unless told otherwise, so that nothing renders
// it on the way. There is at most one open job at a time; its bytes are
// written as to any byte sink.
//
// The job gathers what is written in one buffer and hands it to the print
// service in large pieces: when the buffer is full, and at EndJob. A failed
// or cancelled job drops what is gathered; nothing of it goes out after.
#pragma once

#include "platform/ByteSink.h"
#include "printing/PrintService.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zl {

class RawPrintJob : public ByteSink {
public:
    // What is gathered before it goes to the print service; larger writes go
    // straight through.
    static constexpr std::size_t kBufferSize = 64 * 1024;

    explicit RawPrintJob(PrintService& service) : service_(service), buffer_(kBufferSize) {}
    // A job still open when the object ends is cancelled, never half printed.
    ~RawPrintJob() override;
    RawPrintJob(const RawPrintJob&) = delete;
    RawPrintJob& operator=(const RawPrintJob&) = delete;

    // Opens `printerName` and starts a document named `docName` on it. A
    // printer that cannot be opened raises; a document the printer refuses
    // leaves the job open and fails its first write, with the cause.
    void StartJob(const std::string& printerName, const std::string& docName,
                  DataType dataType = DataType::Raw);
    // Takes `count` bytes for the open job. What goes to the job goes again
    // for what it did not take, until it has taken all or takes nothing. A
    // failure to hand bytes on is sticky: every later write fails with its
    // cause. Raises Interrupted once a stop signal has arrived.
    void Write(const void* data, std::int32_t count) override;
    void WriteData(const void* data, std::int32_t count) { Write(data, count); }
    // The job's one page ends with it.
    void EndPage() {}
    // Hands on what is gathered and completes the job; no job is open after
    // it, whatever the print system says, and a job it could not complete
    // is reported (as failing at EndJob, whatever step failed).
    void EndJob();
    // The end of the stream written to the job: EndJob.
    void Finish() override { EndJob(); }
    // Cancels the open job so that none of it prints, dropping what is
    // gathered; no job is open after it.
    void AbortJob();

    bool IsOpen() const { return open_; }
    // The print system's id of the job last started (0 when it refused it).
    std::uint32_t JobId() const { return jobId_; }

private:
    // Hands `count` bytes to the open job; a failure makes the job broken.
    void Deliver(const char* data, std::size_t count);
    // Hands on what is gathered.
    void Flush();
    // Closes the job, dropping what is gathered; what it was, for ending it.
    std::unique_ptr<PrintJob> Close();

    PrintService& service_;
    std::unique_ptr<PrintJob> job_;
    bool open_ = false;
    std::uint32_t jobId_ = 0;
    // The printer refused the document, or bytes could not be handed on:
    // every write fails, and so does the end.
    bool broken_ = false;
    FailureCause brokenCause_;
    std::vector<char> buffer_;
    std::size_t gathered_ = 0; // the bytes at the start of buffer_
};

} // namespace zl
