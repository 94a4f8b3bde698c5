// The version information the executable carries: its fixed file version and
// named text fields (product name, copyright, comments), read back from the
// executable file itself.
#pragma once

#include <map>
#include <string>

namespace zl {

class VersionInfo {
public:
    // Reads the version information of the file `path`; raises an Exception
    // when there is none or it cannot be read.
    explicit VersionInfo(const std::string& path);

    // "major.minor.release.build"; empty when the file gives no fixed version.
    const std::string& FileVersion() const { return fileVersion_; }
    // A text field ("ProductName", "LegalCopyright", "Comments", ...); empty
    // when missing. Raises an Exception when the information has no
    // translation table.
    std::string Field(const std::string& name) const;

private:
    std::string fileName_;
    std::string fileVersion_;
    bool translated_ = false;
    std::map<std::string, std::string> fields_;
};

// What a block of version information starts with, made at run time so that
// the reader's own code never looks like a block.
std::string VersionBlockMagic();

} // namespace zl
