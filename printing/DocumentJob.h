// A job whose bytes the backend delivers itself: the jobs of CUPS, PCL File
// and an output file. A backend supplies how a document begins, how bytes
// are delivered, and how the document is completed and cancelled; every
// failure names its cause. A failed delivery is sticky: every later write
// fails too, and the document does not complete.
#pragma once

#include "printing/PrintService.h"

#include <cstddef>
#include <string>

namespace zl {

class DocumentJob : public PrintJob {
public:
    // Starts the document, or raises (StartDocument) with the cause.
    void Begin(const std::string& documentName, DataType type);

    std::uint32_t Id() const override { return id_; }
    std::size_t Write(const char* data, std::size_t count) override;
    void Finish() override;
    void Cancel() override;

protected:
    // Cancels a document still open; false when what went out of it cannot
    // be taken back.
    bool CancelUnfinished();
    // Notes what caused a failure, for the message the user reads.
    void SetCause(FailureCause cause) { cause_ = std::move(cause); }

    // The job's number, 0 (with the cause set) when it cannot start.
    virtual std::uint32_t DoBegin(const std::string& documentName, DataType type) = 0;
    // Hands bytes on to their destination; false (with the cause set) on
    // failure.
    virtual bool Deliver(const char* data, std::size_t count) = 0;
    // `delivered` is false when bytes could not be handed on.
    virtual bool DoFinish(bool delivered) = 0;
    virtual bool DoCancel() = 0;

private:
    bool inDocument_ = false;
    bool failed_ = false; // a delivery failed
    std::uint32_t id_ = 0;
    FailureCause cause_;
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
