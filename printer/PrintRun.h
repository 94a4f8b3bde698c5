// The Print command: every ticked entry of the file list becomes one listing,
// in list order, and the first failure ends the run.
#pragma once

#include <functional>
#include <string>

namespace zl {

// The file list as the run sees it.
class FileListView {
public:
    virtual ~FileListView() = default;
    virtual int Count() const = 0;
    virtual bool Ticked(int index) const = 0;
    virtual std::string Text(int index) const = 0; // the full path
};

// What the run shows and does.
class PrintRunHost {
public:
    virtual ~PrintRunHost() = default;
    // A plain message: only "No files to print!?!".
    virtual void ShowMessage(const std::string& text) = 0;
    // "Printing " and the file name while it prints, then empty.
    virtual void SetStatus(const std::string& text) = 0;
    // Prints one file as one listing, or raises.
    virtual void PrintListing(const std::string& path) = 0;
};

constexpr const char* kNoFilesMessage = "No files to print!?!";

// Prints the ticked entries; raises the first failure after clearing the
// status, and Interrupted before the next listing once a stop signal came.
void RunPrint(const FileListView& list, PrintRunHost& host);

} // namespace zl
