// A print job: a stream of bytes handed to one printer queue as a single
// document, of data type "RAW" unless told otherwise, so that nothing renders
// it on the way. There is at most one open job at a time; its bytes are
// written as to any byte sink.
#pragma once

#include "platform/ByteSink.h"
#include "platform/Spooler.h"

#include <cstdint>
#include <string>

namespace zl {

class RawPrintJob : public ByteSink {
public:
    explicit RawPrintJob(Spooler& spooler) : spooler_(spooler) {}
    // A job still open when the object ends is cancelled, never half printed.
    ~RawPrintJob() override;
    RawPrintJob(const RawPrintJob&) = delete;
    RawPrintJob& operator=(const RawPrintJob&) = delete;

    // The data type of a document that the spooler types itself and passes
    // through its filters (a PDF for a printer that does not take it).
    static constexpr const char* kTypedBySpooler = "AUTO";

    // Opens `printerName` and starts a document named `docName` with one page.
    void StartJob(const std::string& printerName, const std::string& docName,
                  const std::string& dataType = "RAW");
    // Hands `count` bytes to the open job, as Write does. A one-byte write
    // goes straight into the spooler's buffer when it offers room;
    // everything else goes to the spooler that opened the printer, again for
    // what it did not take, until it has taken all or takes nothing. Raises
    // Interrupted once a stop signal has arrived.
    void WriteData(const void* data, std::int32_t count) { Write(data, count); }
    void EndPage();
    // Ends page and document and closes the printer; no job is open after it.
    void EndJob();
    // Cancels the open job so that none of it prints; no job is open after it.
    void AbortJob();

    bool IsOpen() const { return handle_ != nullptr; }
    // The spooler's id of the job last started (0 when it refused it).
    std::uint32_t JobId() const { return jobId_; }

protected:
    void WriteThrough(const void* data, std::int32_t count) override;

private:
    // Makes `handle` the open job's printer (null: none), with the room its
    // spooler offers for one-byte writes.
    void SetHandle(PrinterHandle handle);
    // The failure text of `call` with the spooler's cause appended.
    std::string Failure(const std::string& call) const;
    void CloseQuietly(PrinterHandle handle);

    Spooler& spooler_;
    PrinterHandle handle_ = nullptr;
    std::uint32_t jobId_ = 0;
    std::string refusedCause_; // why the spooler refused the document
};

} // namespace zl
