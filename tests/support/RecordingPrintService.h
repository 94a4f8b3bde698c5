// A print service for tests: it records every call, keeps every job's
// writes, counts the jobs open, and can be told to fail or throw on any
// call or to take only part of a write.
#pragma once

#include "printing/PrintService.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zl::test {

struct RecordedJob {
    std::string printer;
    std::string documentName;
    DataType type = DataType::Raw;
    std::vector<std::string> writes; // one entry per Write
    bool ended = false;              // finished
    bool aborted = false;            // cancelled, or ended unfinished

    std::string Bytes() const;
};

class RecordingPrintService : public PrintService {
public:
    // Printers as listed; `defaultName` empty: none.
    std::vector<std::string> printers;
    std::string defaultName;
    // What each printer offers; a listed printer not here offers nothing.
    std::map<std::string, PrinterCapabilities> capabilities;
    // Each write takes at most this many bytes (0: all; negative: none).
    std::int32_t takeAtMost = 0;
    // Runs as each job opens: a look at the caller in the middle of a run.
    std::function<void()> onOpenJob;

    // Makes `operation` (Printers, Capabilities, OpenJob, StartDocument,
    // Write, Finish or Cancel) fail from its `fromCall`-th call on (counting
    // from 0), with `cause`.
    void Fail(const std::string& operation, int fromCall = 0, FailureCause cause = {});
    // Makes every call of `operation` throw something other than a failure.
    void Throw(const std::string& operation);

    std::vector<std::string> calls; // "Operation(argument)" in call order
    std::vector<RecordedJob> jobs;
    int openJobs = 0;

    int Count(const std::string& operation) const;
    // How many recorded calls read exactly `call` ("Capabilities(Laser)").
    int Calls(const std::string& call) const;

    InstalledPrinters Printers() override;
    PrinterCapabilities Capabilities(const std::string& printer) override;
    std::unique_ptr<PrintJob> OpenJob(const std::string& printer, const std::string& documentName,
                                      DataType type) override;

private:
    class Job;
    // Records the call; raises when it is to fail.
    void Enter(const std::string& operation, const std::string& argument = {});
    bool Listed(const std::string& printer) const;

    struct Failure {
        int fromCall = 0;
        bool raise = false;
        FailureCause cause;
    };
    std::map<std::string, Failure> failures_;
    std::map<std::string, int> counts_;
};

} // namespace zl::test
