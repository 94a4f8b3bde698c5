// The built-in "PCL File" destination: each job's bytes become one new file
// in an output folder. A job is written under a hidden temporary name and
// gets its final name only when it ends, so an abandoned job leaves nothing;
// one left by a process that no longer exists is removed by the next job.
#pragma once

#include "printing/SinglePrinterService.h"

#include <filesystem>
#include <string>

namespace zl {

class PclFileService : public SinglePrinterService {
public:
    static constexpr const char* kPrinterName = "PCL File";

    // `outputDir` empty: $ZELLIST_OUTPUT_DIR, else ZelList in the home
    // folder, looked up when a job starts.
    explicit PclFileService(std::filesystem::path outputDir = {});

    // Where jobs go now; empty when there is no home folder.
    std::filesystem::path OutputDir() const;
    // The file the last completed job was written to.
    const std::filesystem::path& LastOutput() const { return lastOutput_; }

private:
    class Job;
    std::unique_ptr<DocumentJob> NewJob() override;
    std::uint32_t NextJobId() { return ++jobCounter_; }
    // Links the completed `temp` into place under the next free number;
    // 0 or the error number.
    int Publish(const std::filesystem::path& temp, const std::string& docName);

    std::filesystem::path outputDir_;
    std::filesystem::path lastOutput_;
    std::uint32_t jobCounter_ = 0;
    unsigned nextNumber_ = 1;
};

} // namespace zl
