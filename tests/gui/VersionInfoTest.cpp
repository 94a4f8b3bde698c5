#include "app/VersionInfo.h"

#include "tests/support/MessageOf.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace zl {
namespace {

using namespace std::string_literals;
using test::MessageOf;

TEST(VersionInfo, TheProgramCarriesItsOwnVersionInformation) {
    const VersionInfo info(ZELLIST_GUI_BINARY);
    EXPECT_EQ(info.FileVersion(), "0.9.2.9");
    EXPECT_EQ(info.Field("ProductName"), "ZelList GUI");
    EXPECT_EQ(info.Field("Comments"), "Sort of the same, but not quite");
    EXPECT_FALSE(info.Field("LegalCopyright").empty());
    EXPECT_EQ(info.Field("NoSuchField"), "");
}

TEST(VersionInfo, FailuresNameTheFile) {
    test::TempDir dir;
    auto read = [](const std::filesystem::path& path) {
        return MessageOf([&] { VersionInfo info(path.string()); });
    };
    EXPECT_EQ(MessageOf([] { VersionInfo info(""); }), "No file specified");
    EXPECT_EQ(read(dir / "missing.exe"), "File missing.exe not found or not accessible");
    test::WriteFile(dir / "plain", "just bytes");
    EXPECT_EQ(read(dir / "plain"), "File plain has no version information");
    test::WriteFile(dir / "cut", "x" + VersionBlockMagic() + "FixedFileVersion=0.9.2.9");
    EXPECT_EQ(read(dir / "cut"), "Cannot read version information for file cut");
    test::WriteFile(dir / "broken", VersionBlockMagic() + "no equals sign\0\0"s);
    EXPECT_EQ(read(dir / "broken"), "Cannot read version information for file broken");
}

TEST(VersionInfo, MissingPartsAreEmptyButNoTranslationIsAnError) {
    test::TempDir dir;
    test::WriteFile(dir / "bare", VersionBlockMagic() + "ProductName=X\0\0"s);
    const VersionInfo bare((dir / "bare").string());
    EXPECT_EQ(bare.FileVersion(), "");
    EXPECT_EQ(MessageOf([&] { bare.Field("ProductName"); }),
              "Cannot read translation table for file bare");
    test::WriteFile(dir / "odd",
                    VersionBlockMagic() + "FixedFileVersion=1.2.x\0Translation=040904E4\0\0"s);
    const VersionInfo odd((dir / "odd").string());
    EXPECT_EQ(odd.FileVersion(), "");
    EXPECT_EQ(odd.Field("Comments"), "");
}

} // namespace
} // namespace zl
