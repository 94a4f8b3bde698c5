// The one kind of failure the printing service raises: what it was doing
// (the step), on which printer, and why (the cause in words, as the print
// system or the operating system gave it).
#pragma once

#include "platform/Exception.h"

#include <string>

namespace zl {

enum class PrintStep {
    ListPrinters,  // the installed printers
    FindDefault,   // the default printer
    Describe,      // a printer's forms, bins and default settings
    Open,          // a printer opened for a job
    StartDocument, // the job's document started
    Write,         // the job's bytes handed over
    Finish,        // the job completed
    Cancel,        // the job cancelled
};

class PrintFailure : public Exception {
public:
    // `serverSilent`: the print server did not answer in time, and may yet.
    PrintFailure(PrintStep step, std::string cause, std::string printer = {},
                 bool serverSilent = false);

    PrintStep Step() const { return step_; }
    // Empty when the print system gave no reason.
    const std::string& Cause() const { return cause_; }
    const std::string& Printer() const { return printer_; }
    bool ServerSilent() const { return serverSilent_; }

private:
    PrintStep step_;
    std::string cause_;
    std::string printer_;
    bool serverSilent_;
};

} // namespace zl
