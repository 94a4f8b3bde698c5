// The window's Print command, waited for: the run prints in the background
// and ends with PrintRunFinished.
#pragma once

#include "app/MainWindow.h"

#include <QSignalSpy>

namespace zl::test {

// Prints the ticked files and waits for the run to end; false when it did
// not end within `limitMs`.
inline bool PrintAndWait(MainWindow& window, int limitMs = 30000) {
    QSignalSpy finished(&window, &MainWindow::PrintRunFinished);
    window.PrintTickedFiles();
    return finished.wait(limitMs);
}

} // namespace zl::test
