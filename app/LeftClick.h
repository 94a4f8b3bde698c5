// An action for a left click on a widget that has no click of its own, such
// as a label.
#pragma once

#include <functional>

class QWidget;

namespace zl {

// Runs `action` at each press of the left mouse button on `widget`, while the
// widget lives. A double click counts as a second press, as it does for a
// widget's own press handler.
void OnLeftClick(QWidget* widget, std::function<void()> action);

} // namespace zl
