// The one kind of failure printing raises: what it was doing (the step), on
// which printer, and why. The cause keeps the print system's or the
// operating system's own words for the technical text, and what kind of
// cause it is, so that plain words can be made for it without reading the
// words back.
#pragma once

#include "platform/Exception.h"

#include <string>

namespace zl {

enum class PrintStep {
    ListPrinters,  // the installed printers
    FindDefault,   // the default printer
    ChoosePrinter, // a printer picked from the installed ones
    Describe,      // a printer's forms, bins and default settings
    Open,          // a printer opened for a job
    StartDocument, // the job's document started
    Write,         // the job's bytes handed over
    Finish,        // the job completed
    Cancel,        // the job cancelled
    DriverJob,     // a listing drawn and printed through the printer's driver
};

// What kind of cause a failure has, where plain words know more than the
// cause's own.
enum class CauseKind {
    Stated,            // only its words
    ServerUnreachable, // the print server `subject` cannot be reached
    ServerSilent,      // the print server `subject` does not answer in time
    ServerClosed,      // the print server `subject` broke off the connection
    Stopped,           // a stop signal ended the wait
    LibraryMissing,    // the print system's library `subject` cannot be loaded
    NotAcceptingJobs,  // the printer `subject` accepts no jobs
    SystemError,       // the operating system's error `systemCode`
    PrinterGone,       // the printer picked is no longer installed
};

struct FailureCause {
    FailureCause() = default;
    // A cause known only by its words.
    FailureCause(std::string stated) : words(std::move(stated)) {}
    FailureCause(const char* stated) : words(stated) {}
    FailureCause(CauseKind causeKind, std::string causeWords, std::string causeSubject = {},
                 int code = 0)
        : kind(causeKind), words(std::move(causeWords)), subject(std::move(causeSubject)),
          systemCode(code) {}
    // The operating system's error `code`, in its words.
    static FailureCause OfSystemError(int code);

    CauseKind kind = CauseKind::Stated;
    std::string words;   // empty when the print system gave no reason
    std::string subject; // what the kind names: a server, a library, a printer
    int systemCode = 0;  // errno, for SystemError
};

class PrintFailure : public Exception {
public:
    // `serverSilent`: the print server did not answer in time, and may yet.
    PrintFailure(PrintStep step, FailureCause cause, std::string printer = {},
                 bool serverSilent = false);

    PrintStep Step() const { return step_; }
    // Empty when the print system gave no reason.
    const std::string& Cause() const { return cause_.words; }
    const FailureCause& Reason() const { return cause_; }
    const std::string& Printer() const { return printer_; }
    bool ServerSilent() const { return serverSilent_; }
    // A failure of the printer or of its choice rather than of one listing's
    // job: told without a file's name.
    bool OfThePrinter() const {
        return step_ == PrintStep::ChoosePrinter || step_ == PrintStep::DriverJob;
    }

private:
    PrintStep step_;
    FailureCause cause_;
    std::string printer_;
    bool serverSilent_;
};

} // namespace zl
