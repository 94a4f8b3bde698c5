#include "app/BackgroundPrintRun.h"

#include "printer/FailureWords.h"

#include "engine/FileInputSource.h"
#include "engine/ListingComposer.h"
#include "platform/Interruption.h"
#include "printer/ListingJob.h"
#include "printer/PrintRun.h"
#include "printer/RawPrintJob.h"

#include <algorithm>

namespace zl {

namespace {

// The copy of the file list the run walks.
class ListCopy : public FileListView {
public:
    explicit ListCopy(const std::vector<std::pair<std::string, bool>>& entries)
        : entries_(entries) {}
    int Count() const override { return static_cast<int>(entries_.size()); }
    bool Ticked(int index) const override { return Entry(index).second; }
    std::string Text(int index) const override { return Entry(index).first; }

private:
    const std::pair<std::string, bool>& Entry(int index) const {
        return entries_.at(static_cast<std::size_t>(index));
    }
    const std::vector<std::pair<std::string, bool>>& entries_;
};

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

// What the run shows and prints, in the run's thread.
class BackgroundPrintRun::Host : public PrintRunHost {
public:
    Host(BackgroundPrintRun& run, ListingJob& listing, const ListingComposer& composer)
        : run_(run), listing_(listing), composer_(composer),
          count_(static_cast<int>(
              std::count_if(run.order_.entries.begin(), run.order_.entries.end(),
                            [](const std::pair<std::string, bool>& e) { return e.second; }))) {}

    void ShowMessage(const std::string& text) override { run_.outcome_.messages.push_back(text); }
    // Each listing starts with "Printing NAME"; the status it ends with is
    // the window's to say.
    void SetStatus(const std::string& text) override {
        if (text.empty())
            return;
        run_.bytesRead_ = 0;
        run_.fileSize_ = -1; // known once the file is open
        const QString status = QString::fromStdString(text + " (" + std::to_string(++number_) +
                                                      " of " + std::to_string(count_) + ")");
        QMetaObject::invokeMethod(
            &run_, [run = &run_, status] { emit run->FileStarted(status); }, Qt::QueuedConnection);
    }
    void PrintListing(const std::string& path) override {
        run_.cancel_.ThrowIfRaised(); // no file after a cancel
        current = path;
        listing_.PrintListing(path, run_.order_.printerIndex);
        ++run_.outcome_.files;
        run_.outcome_.pages += composer_.PagesComposed();
        const ListingCounts& counts = composer_.Counts();
        run_.outcome_.counts.notPrinted += counts.notPrinted;
        run_.outcome_.counts.nearEnough += counts.nearEnough;
        run_.outcome_.counts.notDecoded += counts.notDecoded;
    }

    std::string current; // the file being printed

private:
    BackgroundPrintRun& run_;
    ListingJob& listing_;
    const ListingComposer& composer_;
    const int count_;
    int number_ = 0;
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
    std::string current;
    outcome_.encoding = order_.options.inputEncoding;
    for (const auto& entry : order_.entries)
        outcome_.asked += entry.second ? 1 : 0;
    try {
        const std::vector<PrinterEntry>& printers = order_.printers->Entries();
        if (order_.printerIndex >= 0 &&
            order_.printerIndex < static_cast<std::int32_t>(printers.size()))
            outcome_.printer = printers[static_cast<std::size_t>(order_.printerIndex)].name;
        RawPrintJob job(*order_.spooler);
        ListingComposer composer(order_.options, *order_.clock, order_.names, open);
        ListingJob listing(job, *order_.printers, composer);
        Host host(*this, listing, composer);
        try {
            RunPrint(ListCopy(order_.entries), host);
        } catch (...) {
            current = host.current;
            throw;
        }
    } catch (const Cancelled&) {
        outcome_.end = PrintRunOutcome::End::Cancelled;
    } catch (const Interrupted&) {
        outcome_.end = PrintRunOutcome::End::Interrupted;
    } catch (const std::exception& e) {
        // What fails after a cancel (a wait for room it ended) was cancelled.
        outcome_.end =
            cancel_.Raised() ? PrintRunOutcome::End::Cancelled : PrintRunOutcome::End::Failed;
        outcome_.failedPath = current;
        outcome_.failure = e.what();
        outcome_.plainCause = PlainCause(e);
    }
    QMetaObject::invokeMethod(
        this, [this] { emit Ended(); }, Qt::QueuedConnection);
}

} // namespace zl
