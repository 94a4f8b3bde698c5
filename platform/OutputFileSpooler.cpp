#include "platform/OutputFileSpooler.h"

#ifdef _WIN32
#include <io.h>
#define fileno _fileno
#define ftruncate _chsize_s
#else
#include <unistd.h>
#endif

namespace zl {

class OutputFileSpooler::Printer : public DocumentPrinter {
public:
    explicit Printer(OutputFileSpooler& owner) : DocumentPrinter(owner), spooler_(owner) {}
    ~Printer() override { Cancel(); }

protected:
    std::uint32_t DoBegin(const DocInfo1&) override {
        if (!spooler_.file_)
            spooler_.file_ = std::fopen(spooler_.path_.string().c_str(), "wb");
        if (!spooler_.file_)
            return 0;
        start_ = std::ftell(spooler_.file_);
        return start_ < 0 ? 0 : ++spooler_.documents_;
    }

    bool DoFinish(bool delivered) override {
        if (delivered && std::fflush(spooler_.file_) == 0)
            return true;
        DoCancel();
        return false;
    }

    // Cuts the file back to where the document began; a file that would be
    // left empty is removed.
    bool DoCancel() override {
        std::FILE* file = spooler_.file_;
        if (start_ == 0) {
            std::fclose(file);
            spooler_.file_ = nullptr;
            std::error_code ec;
            return std::filesystem::remove(spooler_.path_, ec);
        }
        std::fflush(file);
        bool ok = ftruncate(fileno(file), start_) == 0;
        return std::fseek(file, start_, SEEK_SET) == 0 && ok;
    }

    bool Deliver(const char* data, std::size_t count) override {
        return std::fwrite(data, 1, count, spooler_.file_) == count;
    }

private:
    OutputFileSpooler& spooler_;
    long start_ = 0;
};

OutputFileSpooler::OutputFileSpooler(std::filesystem::path path)
    : SinglePrinterSpooler(kPrinterName, path.string()), path_(std::move(path)) {}

DocumentPrinter* OutputFileSpooler::NewPrinter() {
    return new Printer(*this);
}

OutputFileSpooler::~OutputFileSpooler() {
    if (file_)
        std::fclose(file_);
}

} // namespace zl
