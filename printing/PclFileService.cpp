#include "printing/PclFileService.h"

#include "platform/FileWriting.h"
#include "platform/Interruption.h"
#include "platform/ProcessTemporaries.h"
#include "platform/SystemInfo.h"
#include "platform/SystemText.h"
#include "printing/FileJob.h"

#include <cerrno>
#include <cstdio>

namespace zl {

namespace fs = std::filesystem;

namespace {

// A file name made of the document name, with anything unsafe in a file
// name replaced.
std::string FileBase(const std::string& docName) {
    std::string base;
    for (unsigned char c : docName) {
        bool safe = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                    c == ' ' || c == '-' || c == '_' || c == '.';
        base += safe ? static_cast<char>(c) : '_';
    }
    if (base.empty() || base[0] == '.')
        base.insert(0, "job");
    return base;
}

std::string Numbered(const std::string& base, unsigned n) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%04u", n);
    return base + "-" + digits + ".pcl";
}

} // namespace

// One "PCL File" job: a temporary file that is published under a new name
// when it completes. Every failure removes the temporary and names its cause.
class PclFileService::Job : public FileJob {
public:
    explicit Job(PclFileService& owner) : service_(owner) {}

protected:
    std::uint32_t DoBegin(const std::string& documentName, DataType) override {
        const fs::path dir = service_.OutputDir();
        if (dir.empty()) {
            SetCause("no folder for its listings: HOME is not set and the account has no home "
                     "folder (ZELLIST_OUTPUT_DIR names one)");
            return 0;
        }
        std::error_code ec;
        fs::create_directories(dir, ec);
        if (ec) {
            SetCause("cannot create the folder " + dir.string() + ": " + ec.message());
            return 0;
        }
        RemoveAbandonedTemporaries(dir);
        const std::string base = FileBase(documentName);
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::uint32_t id = service_.NextJobId();
            temp_ = dir / TemporaryName(base, id);
            const int fd = CreateNewFile(temp_);
            if (fd >= 0) {
                WriteTo(fd);
                docName_ = documentName;
                return id;
            }
            if (errno != EEXIST)
                break;
        }
        SetCause("cannot create a file in the folder " + dir.string() + ": " + ErrorText(errno));
        return 0;
    }

    bool DoFinish(bool delivered) override {
        if (!delivered) { // the failed write named the cause
            Discard();
            return false;
        }
        int err = SyncToStorage(Fd());
        if (StopSignal() != 0) { // came while the bytes were stored: no listing appears
            Discard();
            ThrowIfStopped();
        }
        const int closeErr = CloseFile(Fd());
        WriteTo(-1);
        if (err == 0)
            err = closeErr;
        if (err != 0) {
            SetCause(FailureCause::OfSystemError(err));
        } else if ((err = service_.Publish(temp_, docName_)) != 0) {
            SetCause("cannot give the listing its name in " + temp_.parent_path().string() + ": " +
                     ErrorText(err));
        }
        if (err == 0)
            return true;
        Discard();
        return false;
    }

    bool DoCancel() override {
        Discard();
        return true;
    }

private:
    // Closes and removes the temporary.
    void Discard() {
        if (Fd() >= 0)
            CloseFile(Fd());
        WriteTo(-1);
        std::error_code ignored;
        fs::remove(temp_, ignored);
    }

    PclFileService& service_;
    fs::path temp_;
    std::string docName_;
};

PclFileService::PclFileService(fs::path outputDir)
    : SinglePrinterService(kPrinterName), outputDir_(std::move(outputDir)) {}

std::unique_ptr<DocumentJob> PclFileService::NewJob() {
    return std::make_unique<CancellingJob<Job>>(*this);
}

fs::path PclFileService::OutputDir() const {
    if (!outputDir_.empty())
        return outputDir_;
    if (fs::path dir = PathFromEnvironment("ZELLIST_OUTPUT_DIR"); !dir.empty())
        return dir;
    const fs::path home = HomeFolder();
    return home.empty() ? fs::path() : home / "ZelList";
}

int PclFileService::Publish(const fs::path& temp, const std::string& docName) {
    const fs::path dir = temp.parent_path();
    const std::string base = FileBase(docName);
    for (unsigned n = nextNumber_; n != 0; ++n) {
        fs::path final = dir / Numbered(base, n);
        int err = LinkAsNew(temp, final);
        if (err == 0) {
            nextNumber_ = n + 1;
            lastOutput_ = final;
        }
        if (err != EEXIST)
            return err;
    }
    return EEXIST;
}

} // namespace zl
