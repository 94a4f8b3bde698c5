#include "platform/FileSpooler.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include "platform/WindowsApi.h"
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

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

// Gives `temp` the name `final` unless that name is taken; never overwrites.
// Returns 0, EEXIST when the name is taken, or another error number.
int LinkNew(const fs::path& temp, const fs::path& final) {
#ifdef _WIN32
    if (MoveFileExA(temp.string().c_str(), final.string().c_str(), 0))
        return 0;
    DWORD err = GetLastError();
    return (err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS) ? EEXIST : EIO;
#else
    if (::link(temp.c_str(), final.c_str()) == 0) {
        ::unlink(temp.c_str());
        return 0;
    }
    return errno;
#endif
}

} // namespace

// One open "PCL File" printer; a document is a temporary file that is
// published under a new name when it completes.
class FileSpooler::Job : public DocumentPrinter {
public:
    explicit Job(FileSpooler& owner) : DocumentPrinter(owner), spooler_(owner) {}
    ~Job() override { Cancel(); }

protected:
    std::uint32_t DoBegin(const DocInfo1& doc) override {
        fs::path dir = spooler_.OutputDir();
        std::error_code ec;
        fs::create_directories(dir, ec);
        std::string stem = "." + FileBase(doc.docName) + "-" + std::to_string(getpid()) + "-";
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::uint32_t id = spooler_.NextJobId();
            temp_ = dir / (stem + std::to_string(id) + ".part");
            file_ = std::fopen(temp_.string().c_str(), "wbx");
            if (file_) {
                docName_ = doc.docName;
                return id;
            }
            if (errno != EEXIST)
                break;
        }
        return 0;
    }

    bool DoFinish(bool delivered) override {
        bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        if (delivered && closed && spooler_.Publish(temp_, docName_))
            return true;
        Remove();
        return false;
    }

    bool DoCancel() override {
        std::fclose(file_);
        file_ = nullptr;
        Remove();
        return true;
    }

    bool Deliver(const char* data, std::size_t count) override {
        return std::fwrite(data, 1, count, file_) == count;
    }

private:
    void Remove() {
        std::error_code ignored;
        fs::remove(temp_, ignored);
    }

    FileSpooler& spooler_;
    std::FILE* file_ = nullptr;
    fs::path temp_;
    std::string docName_;
};

FileSpooler::FileSpooler(fs::path outputDir)
    : SinglePrinterSpooler(kPrinterName, "FILE:"), outputDir_(std::move(outputDir)) {}

DocumentPrinter* FileSpooler::NewPrinter() {
    return new Job(*this);
}

fs::path FileSpooler::OutputDir() const {
    if (!outputDir_.empty())
        return outputDir_;
    if (const char* dir = std::getenv("ZELLIST_OUTPUT_DIR"); dir && *dir)
        return dir;
#ifdef _WIN32
    const char* home = std::getenv("USERPROFILE");
#else
    const char* home = std::getenv("HOME");
#endif
    return fs::path(home && *home ? home : ".") / "ZelList";
}

bool FileSpooler::Publish(const fs::path& temp, const std::string& docName) {
    const fs::path dir = temp.parent_path();
    const std::string base = FileBase(docName);
    for (unsigned n = nextNumber_; n != 0; ++n) {
        fs::path final = dir / Numbered(base, n);
        int err = LinkNew(temp, final);
        if (err == 0) {
            nextNumber_ = n + 1;
            lastOutput_ = final;
            return true;
        }
        if (err != EEXIST)
            return false;
    }
    return false;
}

} // namespace zl
