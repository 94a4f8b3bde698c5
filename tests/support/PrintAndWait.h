// The window's Print and Preview commands, waited for: the run prints in
// the background and ends with PrintRunFinished; the preview opens once its
// first page is composed.
#pragma once

#include "app/MainWindow.h"

#include <QSignalSpy>
#include <QTest>

namespace zl::test {

// Prints the ticked files and waits for the run to end; false when it did
// not end within `limitMs`.
inline bool PrintAndWait(MainWindow& window, int limitMs = 30000) {
    QSignalSpy finished(&window, &MainWindow::PrintRunFinished);
    window.PrintTickedFiles();
    return finished.wait(limitMs);
}

// Presses Preview and waits until the preview has been shown and closed.
inline bool PreviewAndWait(MainWindow& window, int limitMs = 30000) {
    window.previewAction->trigger();
    return QTest::qWaitFor([&] { return !window.Previewing(); }, limitMs);
}

} // namespace zl::test
