// The print system as the program sees it: the printers and the default, what
// a printer offers, and jobs opened on a printer by name. Each backend (CUPS,
// the Windows spooler, PCL File, an output file) maps it onto its own system.
// Every failure raises PrintFailure with its cause.
#pragma once

#include "printing/DeviceSettings.h"
#include "printing/PrintFailure.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zl {

// How the print system takes a job's bytes: as they are for the printer, or
// typed by the server and passed through its filters (a PDF for a printer
// that does not take it).
enum class DataType { Raw, TypedByServer };

// One open job: a single document on one printer. A job destroyed before it
// finished is cancelled, never half printed.
class PrintJob {
public:
    virtual ~PrintJob() = default;
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    // The print system's number for the job.
    virtual std::uint32_t Id() const = 0;
    // Hands bytes to the job; how many it took, which may be fewer.
    virtual std::size_t Write(const char* data, std::size_t count) = 0;
    // Completes the job; raises when it could not be delivered whole, and
    // then nothing of it prints.
    virtual void Finish() = 0;
    // Cancels the job so that nothing of it prints; raises when what went
    // out cannot be taken back.
    virtual void Cancel() = 0;

protected:
    PrintJob() = default;
};

// What a job typed by the server asks of the printer besides its pages, in
// the print system's terms; each asks nothing when zero or empty.
struct JobRequests {
    std::int32_t copies = 0;
    std::optional<DuplexMode> sides;
    std::string media;     // a PWG media size name ("iso_a4_210x297mm")
    std::uint16_t bin = 0; // the code of one of the printer's bins

    bool Empty() const { return copies == 0 && !sides && media.empty() && bin == 0; }
};

// The installed printers in the system's order, and the default printer's
// name (empty when there is none): one look-up, as the print systems answer.
struct InstalledPrinters {
    std::vector<std::string> names;
    std::string defaultName;
};

// What the start of a job does when the print server's queue is full: it
// waits for room, saying so once through `onWaiting` (the printer's name),
// and tries again now and then for up to `limit`; it stops waiting when
// `cancelWake` (-1: none) becomes readable or a stop signal arrives.
struct FullQueueWait {
    std::chrono::milliseconds limit = std::chrono::minutes(10);
    std::function<void(const std::string& printer)> onWaiting;
    int cancelWake = -1;
};

class PrintService {
public:
    virtual ~PrintService() = default;

    // The installed printers and the default.
    virtual InstalledPrinters Printers() = 0;
    // What `printer` offers and its default settings.
    virtual PrinterCapabilities Capabilities(const std::string& printer) = 0;
    // Opens `printer` and starts a job named `documentName` on it: fails in
    // the step Open when the printer cannot be opened, StartDocument
    // when it refuses the job.
    virtual std::unique_ptr<PrintJob> OpenJob(const std::string& printer,
                                              const std::string& documentName, DataType type) = 0;
    // Opens a job typed by the server, as OpenJob does, that asks the
    // printer for `requests`. A service whose print system takes no such
    // requests opens it without them; a printer that cannot be asked what is
    // requested (no such bin) fails in the step Open with the cause.
    virtual std::unique_ptr<PrintJob> OpenRequestedJob(const std::string& printer,
                                                       const std::string& documentName,
                                                       const JobRequests& /*requests*/) {
        return OpenJob(printer, documentName, DataType::TypedByServer);
    }

    // Forgets what look-ups remember (printers, capabilities, a print server
    // found silent), so that the next ones ask the print system again. The
    // window calls it each time it becomes active.
    virtual void RefreshLookups() {}
    // How long one look-up may wait for the print system; the window asks
    // for less than the command line, which may wait the usual limit.
    virtual void SetLookupTimeLimit(std::chrono::milliseconds /*limit*/) {}
    // Why the last look-up of the printers listed only the built-in
    // destinations (the print server could not be asked); empty when it
    // listed them all.
    virtual std::string FallbackNote() const { return {}; }
    // How a job's start waits for room in a full queue, where the print
    // system says its queue is full rather than keep the job waiting.
    virtual void SetFullQueueWait(FullQueueWait /*wait*/) {}
};

} // namespace zl
