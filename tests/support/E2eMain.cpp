// The end-to-end tests must not see the machine's own printer choices.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    unsetenv("LPDEST");
    unsetenv("PRINTER");
    unsetenv("CUPS_SERVER");
    // lpoptions in the home folder could name another default printer.
    setenv("HOME", "/nonexistent-zellist-home", 1);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
