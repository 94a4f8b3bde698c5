// A job whose bytes are gathered and handed on in large pieces: the jobs of
// the backends that deliver documents themselves (CUPS, PCL File, an output
// file). A backend supplies how a document begins, how gathered bytes are
// delivered, and how the document is completed and cancelled; every
// failure names its cause.
#pragma once

#include "printing/GatheringWriter.h"
#include "printing/PrintService.h"

#include <string>

namespace zl {

class DocumentJob : public PrintJob, protected GatheringWriter {
public:
    // Starts the document, or raises (StartDocument) with the cause.
    void Begin(const std::string& documentName, DataType type);

    std::uint32_t Id() const override { return id_; }
    std::size_t Write(const char* data, std::size_t count) override;
    void Finish() override;
    void Cancel() override;
    ByteWindow* OfferedWindow() override { return Window(); }

protected:
    // Cancels a document still open; false when what went out of it cannot
    // be taken back.
    bool CancelUnfinished();
    // Notes what caused a failure, for the message the user reads.
    void SetCause(std::string cause) { cause_ = std::move(cause); }

    // The job's number, 0 (with the cause set) when it cannot start.
    virtual std::uint32_t DoBegin(const std::string& documentName, DataType type) = 0;
    // `delivered` is false when gathered bytes could not be handed on.
    virtual bool DoFinish(bool delivered) = 0;
    virtual bool DoCancel() = 0;

private:
    bool inDocument_ = false;
    std::uint32_t id_ = 0;
    std::string cause_;
};

// The job of the backend `Backend`, as a service hands it out: when it goes,
// it cancels a document still open while the backend's parts are still
// there to do it.
template <typename Backend> class CancellingJob final : public Backend {
public:
    using Backend::Backend;
    ~CancellingJob() override { this->CancelUnfinished(); }
};

} // namespace zl
