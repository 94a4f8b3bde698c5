#include "tests/support/RecordingPrintService.h"

#include <algorithm>
#include <stdexcept>

namespace zl::test {

namespace {

PrintStep StepOf(const std::string& operation) {
    static const std::map<std::string, PrintStep> steps = {
        {"Printers", PrintStep::ListPrinters}, {"Capabilities", PrintStep::Describe},
        {"OpenJob", PrintStep::Open},          {"StartDocument", PrintStep::StartDocument},
        {"Write", PrintStep::Write},           {"Finish", PrintStep::Finish},
        {"Cancel", PrintStep::Cancel}};
    return steps.at(operation);
}

} // namespace

class RecordingPrintService::Job : public PrintJob {
public:
    Job(RecordingPrintService& service, std::size_t index) : service_(service), index_(index) {}
    ~Job() override {
        RecordedJob& job = Recorded();
        job.aborted = job.aborted || !job.ended;
        --service_.openJobs;
    }

    std::uint32_t Id() const override { return static_cast<std::uint32_t>(index_ + 1); }

    std::size_t Write(const char* data, std::size_t count) override {
        service_.Enter("Write", std::to_string(count));
        const std::int32_t most = service_.takeAtMost;
        const std::size_t taken = most != 0 && count > static_cast<std::size_t>(std::max(most, 0))
                                      ? static_cast<std::size_t>(std::max(most, 0))
                                      : count;
        Recorded().writes.emplace_back(data, taken);
        return taken;
    }

    void Finish() override {
        service_.Enter("Finish");
        Recorded().ended = true;
    }

    void Cancel() override {
        service_.Enter("Cancel");
        Recorded().aborted = true;
    }

private:
    RecordedJob& Recorded() { return service_.jobs[index_]; }

    RecordingPrintService& service_;
    std::size_t index_;
};

std::string RecordedJob::Bytes() const {
    std::string all;
    for (const std::string& write : writes)
        all += write;
    return all;
}

void RecordingPrintService::Fail(const std::string& operation, int fromCall, FailureCause cause) {
    failures_[operation] = Failure{fromCall, false, std::move(cause)};
}

void RecordingPrintService::Throw(const std::string& operation) {
    failures_[operation] = Failure{0, true, {}};
}

int RecordingPrintService::Count(const std::string& operation) const {
    auto it = counts_.find(operation);
    return it == counts_.end() ? 0 : it->second;
}

int RecordingPrintService::Calls(const std::string& call) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

void RecordingPrintService::Enter(const std::string& operation, const std::string& argument) {
    calls.push_back(operation + "(" + argument + ")");
    const int index = counts_[operation]++;
    auto it = failures_.find(operation);
    if (it == failures_.end() || index < it->second.fromCall)
        return;
    if (it->second.raise)
        throw std::runtime_error(operation + " raised");
    throw PrintFailure(StepOf(operation), it->second.cause, argument);
}

bool RecordingPrintService::Listed(const std::string& printer) const {
    return std::find(printers.begin(), printers.end(), printer) != printers.end();
}

InstalledPrinters RecordingPrintService::Printers() {
    Enter("Printers");
    return {printers, defaultName};
}

PrinterCapabilities RecordingPrintService::Capabilities(const std::string& printer) {
    Enter("Capabilities", printer);
    if (!Listed(printer))
        throw PrintFailure(PrintStep::Describe, "", printer);
    auto found = capabilities.find(printer);
    return found == capabilities.end() ? PrinterCapabilities{} : found->second;
}

std::unique_ptr<PrintJob> RecordingPrintService::OpenJob(const std::string& printer,
                                                         const std::string& documentName,
                                                         DataType type) {
    if (onOpenJob)
        onOpenJob();
    Enter("OpenJob", printer);
    if (!Listed(printer))
        throw PrintFailure(PrintStep::Open, "", printer);
    Enter("StartDocument", documentName);
    jobs.push_back({printer, documentName, type, {}, false, false});
    ++openJobs;
    return std::make_unique<Job>(*this, jobs.size() - 1);
}

} // namespace zl::test
