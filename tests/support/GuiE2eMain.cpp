// End-to-end tests of the window: no display, and none of the machine's own
// printer choices.
#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    unsetenv("LPDEST");
    unsetenv("PRINTER");
    unsetenv("CUPS_SERVER");
    setenv("HOME", "/nonexistent-zellist-home", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
