// The Qt GUI application that fonts, the PDF writer and printers need.
#pragma once

namespace zl::render {

// Starts an offscreen Qt GUI application when none runs (unless the
// environment names a platform), so that no display is needed; it lives
// until the program ends. Raises zl::Exception when the program runs a
// non-GUI Qt application instead.
void RequireGuiApplication();

} // namespace zl::render
