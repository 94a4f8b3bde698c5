#include "app/BackgroundPrintRun.h"

#include "printer/FailureWords.h"

#include "engine/FileInputSource.h"
#include "engine/ListingComposer.h"
#include "engine/ListingText.h"
#include "printer/ListingJob.h"
#include "printer/ListingRun.h"
#include "printer/RawPrintJob.h"

namespace zl {

namespace {

// An input whose bytes are counted as they are read.
class CountedSource : public InputSource {
public:
    CountedSource(std::unique_ptr<InputSource> source, std::atomic<std::int64_t>& count)
        : source_(std::move(source)), count_(count) {}
    std::size_t Read(char* buffer, std::size_t size) override {
        const std::size_t read = source_->Read(buffer, size);
        count_ += static_cast<std::int64_t>(read);
        return read;
    }
    void Close() override { source_->Close(); }

private:
    std::unique_ptr<InputSource> source_;
    std::atomic<std::int64_t>& count_;
};

} // namespace

// Says in the window which listing prints, and adds up what printed, in
// the run's thread.
class BackgroundPrintRun::Progress : public ListingRunObserver {
public:
    Progress(BackgroundPrintRun& run, std::size_t count) : run_(run), count_(count) {}

    // "Printing NAME (N of COUNT)"; the status the run ends with is the
    // window's to say.
    void Starting(std::size_t index, const ListingOrder& order) override {
        run_.bytesRead_ = 0;
        run_.fileSize_ = -1; // known once the file is open
        const QString status = QString::fromStdString("Printing " + FileNamePart(order.path) +
                                                      " (" + std::to_string(index + 1) + " of " +
                                                      std::to_string(count_) + ")");
        QMetaObject::invokeMethod(
            &run_, [run = &run_, status] { emit run->FileStarted(status); }, Qt::QueuedConnection);
    }
    void Done(std::size_t, const Listed& listed) override {
        PrintRunOutcome& outcome = run_.outcome_;
        ++outcome.files;
        outcome.pages += listed.pages;
        outcome.counts.notPrinted += listed.counts.notPrinted;
        outcome.counts.nearEnough += listed.counts.nearEnough;
        outcome.counts.notDecoded += listed.counts.notDecoded;
    }

private:
    BackgroundPrintRun& run_;
    const std::size_t count_;
};

BackgroundPrintRun::BackgroundPrintRun(PrintRunOrder order) : order_(std::move(order)) {
    // A full queue is waited for, as long as the command line waits, and
    // Cancel ends the wait.
    FullQueueWait wait;
    wait.cancelWake = cancel_.WakeDescriptor();
    wait.onWaiting = [this](const std::string&) {
        QMetaObject::invokeMethod(
            this, [this] { emit QueueFull(); }, Qt::QueuedConnection);
    };
    order_.spooler->SetFullQueueWait(std::move(wait));
    thread_ = std::thread([this] { Run(); });
}

BackgroundPrintRun::~BackgroundPrintRun() {
    Cancel();
    Wait();
    order_.spooler->SetFullQueueWait({});
}

void BackgroundPrintRun::Wait() {
    if (thread_.joinable())
        thread_.join();
}

void BackgroundPrintRun::Run() {
    // Each input is read so that a cancel wakes a read that waits, and its
    // bytes are counted for the progress.
    const InputOpener open = [this](const std::string& path) -> std::unique_ptr<InputSource> {
        auto file = std::make_unique<FileInputSource>(path, &cancel_);
        bytesRead_ = 0;
        fileSize_ = file->KnownSize();
        return std::make_unique<CountedSource>(std::move(file), bytesRead_);
    };
    outcome_.encoding = order_.options.inputEncoding;
    std::vector<ListingOrder> orders;
    for (const auto& [path, ticked] : order_.entries) {
        if (ticked)
            orders.push_back({path, order_.options});
    }
    outcome_.asked = static_cast<int>(orders.size());
    const std::vector<PrinterEntry>& printers = order_.printers->Entries();
    if (order_.printerIndex >= 0 &&
        order_.printerIndex < static_cast<std::int32_t>(printers.size()))
        outcome_.printer = printers[static_cast<std::size_t>(order_.printerIndex)].name;
    RawPrintJob job(*order_.spooler);
    ListingComposer composer(order_.options, *order_.clock, order_.names, open);
    const ListingAction print = [&](const ListingOrder& order, std::size_t) {
        if (outcome_.printer.empty())
            throw PrintFailure(PrintStep::ChoosePrinter,
                               {CauseKind::PrinterGone, "no printer is chosen"});
        ListingJob(job, composer).PrintListing(order.path, outcome_.printer);
        return Listed{composer.PagesComposed(), "on " + outcome_.printer, "", composer.Counts()};
    };
    Progress progress(*this, orders.size());
    const ListingRunEnd end = RunListings(orders, print, progress, &cancel_);
    switch (end.how) {
    case ListingRunEnd::How::Done:
        break;
    case ListingRunEnd::How::Cancelled:
        outcome_.end = PrintRunOutcome::End::Cancelled;
        break;
    case ListingRunEnd::How::Interrupted:
        outcome_.end = PrintRunOutcome::End::Interrupted;
        break;
    case ListingRunEnd::How::Failed:
        outcome_.end = PrintRunOutcome::End::Failed;
        outcome_.failedPath = orders[end.stoppedAt].path;
        try {
            std::rethrow_exception(end.failure);
        } catch (const std::exception& e) {
            outcome_.failure = e.what();
            outcome_.plainCause = PlainCause(e);
        }
        break;
    }
    QMetaObject::invokeMethod(
        this, [this] { emit Ended(); }, Qt::QueuedConnection);
}

} // namespace zl
