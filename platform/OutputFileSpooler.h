// A spooler with one printer that writes every document into one given file,
// one after another. A cancelled document is cut off again, so the file only
// ever holds complete documents.
#pragma once

#include "platform/DocumentSpooler.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace zl {

class OutputFileSpooler : public SinglePrinterSpooler {
public:
    static constexpr const char* kPrinterName = "Output File";

    // The file is created, or emptied, when the first document starts.
    explicit OutputFileSpooler(std::filesystem::path path);
    ~OutputFileSpooler() override;

private:
    class Printer;
    DocumentPrinter* NewPrinter() override;

    std::filesystem::path path_;
    std::FILE* file_ = nullptr;
    std::uint32_t documents_ = 0;
};

} // namespace zl
