// One run of the window's Print command in a thread of its own: every ticked
// file of a copy of the list becomes one listing, composed from a copy of
// the options, so the window goes on while a file is slow to arrive. The
// thread touches no widget: it reports the file it starts by a queued
// signal, the bytes read so far by atomics, and how the run ended once it
// is over.
#pragma once

#include "engine/CancelSignal.h"
#include "engine/ListingCounts.h"
#include "engine/ListingOptions.h"
#include "platform/Clock.h"
#include "platform/LocaleNames.h"
#include "printer/PrinterList.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace zl {

// What a run prints and where, taken when it starts.
struct PrintRunOrder {
    PrintService* spooler = nullptr;
    PrinterList* printers = nullptr;
    const Clock* clock = nullptr;
    LocaleNames names;
    ListingOptions options;
    std::int32_t printerIndex = 0;
    std::vector<std::pair<std::string, bool>> entries; // the file list: path, ticked
};

// How a run ended.
struct PrintRunOutcome {
    enum class End { Printed, Cancelled, Failed, Interrupted };
    End end = End::Printed;
    int asked = 0;        // ticked
    int files = 0;        // printed whole
    int pages = 0;        // of those
    ListingCounts counts; // what did not print exactly in them
    std::string encoding; // the files' input encoding, for the counts' words
    std::string printer;
    std::string failedPath, failure; // the listing that failed, and why (technical)
    std::string plainCause;          // why, in plain words
    std::vector<std::string> messages;
};

class BackgroundPrintRun : public QObject {
    Q_OBJECT

public:
    // Starts the run.
    explicit BackgroundPrintRun(PrintRunOrder order);
    // Cancels the run and waits for its end.
    ~BackgroundPrintRun() override;
    BackgroundPrintRun(const BackgroundPrintRun&) = delete;
    BackgroundPrintRun& operator=(const BackgroundPrintRun&) = delete;

    // Stops the run: the listing being printed is cancelled, the files
    // after it are not printed. Returns at once.
    void Cancel() { cancel_.Raise(); }
    // Waits for the thread to end; the outcome is complete after it.
    void Wait();
    const PrintRunOutcome& Outcome() const { return outcome_; }

    // The file being read: its bytes read so far, and its size (-1 while
    // unknown, as for a pipe).
    std::int64_t BytesRead() const { return bytesRead_.load(); }
    std::int64_t FileSize() const { return fileSize_.load(); }

signals:
    // A listing starts: "Printing NAME (N of COUNT)".
    void FileStarted(const QString& status);
    // The print server's queue is full: the listing waits for room.
    void QueueFull();
    // The run is over; Wait returns at once.
    void Ended();

private:
    class Progress;
    void Run();

    PrintRunOrder order_;
    CancelSignal cancel_;
    std::atomic<std::int64_t> bytesRead_{0};
    std::atomic<std::int64_t> fileSize_{-1};
    PrintRunOutcome outcome_;
    std::thread thread_;
};

} // namespace zl
