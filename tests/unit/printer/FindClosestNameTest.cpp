#include "printer/FindClosestName.h"

#include <gtest/gtest.h>

namespace zl {
namespace {

TEST(FindClosestName, ExactMatchIgnoringCaseWinsAndTheLastOneCounts) {
    EXPECT_EQ(FindClosestName("office laser", {"Draft", "Office Laser", "Plotter"}), 1);
    EXPECT_EQ(FindClosestName("a4", {"A4", "Letter", "a4"}), 2);
}

TEST(FindClosestName, APrefixOutscoresANearMiss) {
    // "Alpha" differs at once (99); "Beta 2" agrees over all of "beta" (400).
    EXPECT_EQ(FindClosestName("beta", {"Alpha", "Beta 2"}), 1);
    // "Letter Extra" differs at position 8 (786); "Letter" is a prefix (600)
    // and is taken whatever came before.
    EXPECT_EQ(FindClosestName("Letter Small", {"Letter Extra", "Letter"}), 1);
    // The better near miss: differing later beats differing sooner.
    EXPECT_EQ(FindClosestName("Tray 3", {"Manual", "Tray 1", "Auto"}), 1);
}

TEST(FindClosestName, EmptyNamesAndLists) {
    EXPECT_EQ(FindClosestName("", {"A4", "Letter", "Legal"}), 2);
    EXPECT_EQ(FindClosestName("", {"A4", "", "Legal"}), 1);
    EXPECT_EQ(FindClosestName("A4", {}), -1);
    EXPECT_EQ(FindClosestName("", {}), -1);
}

TEST(FindClosestName, OnlyAsciiLettersFoldCase) {
    // 0xE9 and 0xC9 are different characters here: no exact match.
    EXPECT_EQ(FindClosestName("\xe9t\xe9", {"\xc9T\xc9", "other"}), 0);
    EXPECT_EQ(FindClosestName("\xe9t\xe9", {"\xe9T\xe9", "\xc9T\xc9"}), 0);
}

} // namespace
} // namespace zl
