// What zellist-gui's command line asks for: the window with files in its
// list, its help or version, or nothing because an option is unknown.
#pragma once

#include <QString>
#include <QStringList>

namespace zl {

struct GuiArguments {
    enum class Action { OpenWindow, Help, Version, Refused };
    Action action = Action::OpenWindow;
    QStringList files;          // for the list, in order
    bool resetSettings = false; // --reset-settings: start from the defaults
    QString refusal;            // Refused: why, in a line
};

// Reads the arguments after the program's name. Options are --help (-h),
// --version and --reset-settings; "--" ends them, so that a file's name
// may begin with "-".
GuiArguments ReadGuiArguments(const QStringList& arguments);

// The text of --help.
QString GuiUsage();

} // namespace zl
