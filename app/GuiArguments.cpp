#include "app/GuiArguments.h"

#include "app/WindowSettings.h"

namespace zl {

GuiArguments ReadGuiArguments(const QStringList& arguments) {
    GuiArguments read;
    bool options = true;
    for (const QString& argument : arguments) {
        if (!options || !argument.startsWith('-') || argument == "-") {
            read.files << argument;
        } else if (argument == "--") {
            options = false;
        } else if (argument == "--help" || argument == "-h") {
            read.action = GuiArguments::Action::Help;
        } else if (argument == "--version") {
            read.action = GuiArguments::Action::Version;
        } else if (argument == kResetSettingsOption) {
            read.resetSettings = true;
        } else {
            read.action = GuiArguments::Action::Refused;
            read.refusal = "unknown option '" + argument + "'";
            return read;
        }
    }
    return read;
}

QString GuiUsage() {
    return "Usage: zellist-gui [--reset-settings] [FILE...]\n"
           "Opens the ZelList window with each FILE in its list, ticked.\n"
           "\n"
           "      --reset-settings   start from the default settings, forgetting those kept\n"
           "  -h, --help             this text\n"
           "      --version          the version\n"
           "\n"
           "Print from the command line with zellist (zellist --help).\n";
}

} // namespace zl
