// The About box: the program's name, version, description and copyright,
// the maker's web link and e-mail address, a little about the machine, and a
// button for more help. It is built anew each time it is shown.
#pragma once

#include <QString>

#include <functional>
#include <memory>

class QDialog;
class QUrl;
class QWidget;

namespace zl {

// The help text behind "More Help", lines ended by CR LF.
extern const char* const kAboutHelpText;

class AboutDialog {
public:
    QString captionTitle, appName, version, description, copyright, email, homePage;
    QString customButton = "More Help";
    // Runs when "More Help" is clicked, with the About box.
    std::function<void(QWidget* box)> onCustomClick;
    // Opens a link; false when it could not be opened.
    std::function<bool(const QUrl& url)> openLink;
    // Shows the box modally; by default QDialog::exec.
    std::function<void(QDialog& box)> run;

    // The box as it is shown, centred over `parent`.
    std::unique_ptr<QDialog> Build(QWidget* parent) const;
    void Execute(QWidget* parent) const;
};

} // namespace zl
