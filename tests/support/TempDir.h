// A fresh folder for one test, removed with everything in it afterwards.
// Its path has the same length each time: the temporary folder, then
// `prefix` and eight hexadecimal digits.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zl::test {

class TempDir {
public:
    explicit TempDir(const std::string& prefix = "zellist-test-");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
// The names of the files in `dir`, sorted.
std::vector<std::string> FileNames(const std::filesystem::path& dir);

} // namespace zl::test
