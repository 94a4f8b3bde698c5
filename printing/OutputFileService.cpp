#include "printing/OutputFileService.h"

#include "platform/FileWriting.h"
#include "platform/Interruption.h"
#include "platform/ProcessTemporaries.h"
#include "printing/FileJob.h"

#include <cerrno>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace zl {

namespace fs = std::filesystem;

namespace {

constexpr int kStandardOutput = 1;

// The file `path` finally names, symbolic links followed; empty when the
// links go round in a loop.
fs::path FinalTarget(fs::path path) {
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec)))
            return path;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec)
            return path;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return {};
}

} // namespace

class OutputFileService::Job : public FileJob {
public:
    explicit Job(OutputFileService& owner) : output_(owner) {}

protected:
    std::uint32_t DoBegin(const std::string&, DataType) override {
        if (output_.writing_ || output_.endsIncomplete_) {
            SetCause(output_.path_.string() + (output_.writing_ ? " is taking another listing"
                                                                : " ends in part of a listing"));
            return 0;
        }
        if (output_.fd_ < 0) {
            if (std::string cause = output_.Open(); !cause.empty()) {
                SetCause(std::move(cause));
                return 0;
            }
        }
        output_.writing_ = true;
        WriteTo(output_.fd_);
        return ++output_.documents_;
    }

    bool DoFinish(bool delivered) override {
        // A failed write named the cause already.
        int err = delivered ? SyncToStorage(output_.fd_) : 0;
        if (StopSignal() != 0) { // came while the bytes were stored: the target stays as it was
            TakeBack();
            ThrowIfStopped();
        }
        if (delivered && err == 0 && !output_.temp_.empty() && (err = output_.Publish()) != 0)
            SetCause("cannot replace " + output_.file_.string() + ": " + ErrorText(err));
        else if (err != 0)
            SetCause(FailureCause::OfSystemError(err));
        if (delivered && err == 0) {
            output_.complete_ += Written();
            output_.writing_ = false;
            return true;
        }
        TakeBack();
        return false;
    }

    bool DoCancel() override {
        if (TakeBack())
            return true;
        if (output_.stream_)
            SetCause("a pipe or device cannot take back a cancelled listing");
        return false;
    }

private:
    // Undoes what the open document wrote; false when it cannot, and then
    // the output ends in part of a listing and takes no more.
    bool TakeBack() {
        output_.writing_ = false;
        bool undone = true;
        if (output_.stream_) {
            undone = Written() == 0;
        } else if (!output_.temp_.empty()) { // the first document: its temporary goes
            output_.Close();
        } else if (output_.fd_ >= 0) {
            if (const int err = CutBack(output_.fd_, output_.complete_)) {
                SetCause("cannot cut " + output_.file_.string() +
                         " back to its complete listings: " + ErrorText(err));
                undone = false;
            }
        }
        output_.endsIncomplete_ = output_.endsIncomplete_ || !undone;
        return undone;
    }

    OutputFileService& output_;
};

OutputFileService::OutputFileService(fs::path path)
    : SinglePrinterService(kPrinterName), path_(std::move(path)) {}

OutputFileService::~OutputFileService() {
    Close();
}

std::unique_ptr<DocumentJob> OutputFileService::NewJob() {
    return std::make_unique<CancellingJob<Job>>(*this);
}

std::string OutputFileService::Open() {
    complete_ = 0;
    // Standard output is written through its descriptor, wherever it leads.
    if (path_ == "-" || path_ == "/dev/stdout") {
#ifdef _WIN32
        ::_setmode(kStandardOutput, _O_BINARY);
#endif
        stream_ = true;
        fd_ = kStandardOutput;
        return {};
    }
    // What the system finds at the end of any links decides; /dev/stdout, for
    // one, is a link the system follows to a pipe that has no path.
    std::error_code ec;
    const fs::file_status existing = fs::status(path_, ec);
    switch (existing.type()) {
    case fs::file_type::not_found: // or a folder on the way missing: creating says which
    case fs::file_type::regular:
        break;
    case fs::file_type::none:
        return "cannot write " + path_.string() + ": " + ec.message();
    default:
        return OpenStream();
    }
    file_ = FinalTarget(path_);
    if (file_.empty())
        return "cannot write " + path_.string() + ": " + ErrorText(ELOOP);
    return OpenTemporary(existing);
}

std::string OutputFileService::OpenStream() {
    fd_ = OpenExisting(path_);
    if (fd_ < 0)
        return "cannot write " + path_.string() + ": " + ErrorText(errno);
    stream_ = true;
    return {};
}

std::string OutputFileService::OpenTemporary(const fs::file_status& existing) {
    const bool replacing = existing.type() == fs::file_type::regular;
    // A file the user may not write is not replaced behind their back.
    if (replacing && !MayWrite(file_))
        return "cannot write " + file_.string() + ": " + ErrorText(errno);
    for (std::uint32_t attempt = 1; fd_ < 0 && attempt <= 100; ++attempt) {
        temp_ = file_.parent_path() / TemporaryName(file_.filename().string(), attempt);
        fd_ = CreateNewFile(temp_);
        if (fd_ < 0 && errno != EEXIST)
            break;
    }
    if (fd_ < 0) {
        const std::string cause =
            "cannot create a file beside " + file_.string() + ": " + ErrorText(errno);
        temp_.clear();
        return cause;
    }
    std::error_code ec;
    if (replacing)
        fs::permissions(temp_, existing.permissions() & fs::perms::all, ec);
    if (ec) {
        Close();
        return "cannot give " + file_.string() + " its permissions again: " + ec.message();
    }
    stream_ = false;
    return {};
}

int OutputFileService::Publish() {
#ifdef _WIN32
    // Windows renames no file that is open; the run goes on in the renamed one.
    if (const int err = CloseFile(fd_)) {
        fd_ = -1;
        Close();
        return err;
    }
    fd_ = -1;
    const int err = RenameOnto(temp_, file_);
    if (err != 0) {
        Close();
        return err;
    }
    temp_.clear();
    fd_ = OpenExisting(file_);
    if (fd_ < 0 || ::_lseeki64(fd_, 0, SEEK_END) < 0)
        return errno;
    return 0;
#else
    const int err = RenameOnto(temp_, file_);
    if (err == 0)
        temp_.clear();
    return err;
#endif
}

void OutputFileService::Close() {
    if (fd_ >= 0 && fd_ != kStandardOutput)
        CloseFile(fd_);
    fd_ = -1;
    if (!temp_.empty()) {
        std::error_code ignored;
        fs::remove(temp_, ignored);
        temp_.clear();
    }
}

} // namespace zl
