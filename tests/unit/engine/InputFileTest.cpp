#include "engine/InputFile.h"

#include "tests/support/MessageOf.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace zl {
namespace {

using test::MessageOf;
using test::TempDir;

std::string ReadAll(InputFile& in) {
    std::string bytes;
    while (!in.AtEnd()) {
        const unsigned char peeked = in.Peek();
        const unsigned char read = in.Read();
        EXPECT_EQ(peeked, read);
        bytes += static_cast<char>(read);
    }
    return bytes;
}

TEST(InputFile, ReadsEveryByteAcrossBufferBoundaries) {
    TempDir dir;
    std::string bytes(200000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i % 253);
    test::WriteFile(dir / "big", bytes);
    InputFile in((dir / "big").string());
    EXPECT_EQ(ReadAll(in), bytes);
    EXPECT_TRUE(in.AtEnd());
    in.Close();
    EXPECT_TRUE(in.AtEnd());
}

TEST(InputFile, AnEmptyFileEndsAtOnce) {
    TempDir dir;
    test::WriteFile(dir / "empty", "");
    InputFile in((dir / "empty").string());
    EXPECT_TRUE(in.AtEnd());
}

TEST(InputFile, OpeningFailuresCarryTheTextsUsersSee) {
    TempDir dir;
    test::WriteFile(dir / "file", "x");
    auto open = [](const std::filesystem::path& path) {
        return MessageOf([&] { InputFile in(path.string()); });
    };
    EXPECT_EQ(open(dir / "missing.txt"), "File not found");
    EXPECT_EQ(open(dir / "no-folder" / "a.txt"), "File not found");
    EXPECT_EQ(open(dir / "file" / "a.txt"), "File not found");
    EXPECT_EQ(open(dir.Path()), "File access denied");
    EXPECT_EQ(open(dir / std::string(300, 'n')), "Invalid filename");
    EXPECT_EQ(open(""), "File not found");
}

TEST(InputFile, SystemErrorsMapToTheirTexts) {
    EXPECT_EQ(IoErrorMessage(ENOENT), "File not found");
    EXPECT_EQ(IoErrorMessage(EACCES), "File access denied");
    EXPECT_EQ(IoErrorMessage(EPERM), "File access denied");
    EXPECT_EQ(IoErrorMessage(EISDIR), "File access denied");
    EXPECT_EQ(IoErrorMessage(EMFILE), "Too many open files");
    EXPECT_EQ(IoErrorMessage(ENFILE), "Too many open files");
    EXPECT_EQ(IoErrorMessage(ENAMETOOLONG), "Invalid filename");
    EXPECT_EQ(IoErrorMessage(EIO), "I/O error " + std::to_string(EIO));
}

} // namespace
} // namespace zl
