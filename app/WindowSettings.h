// What the window remembers from one run to the next: the page options, the
// bar height, what the listings ask of the printer, the printer, the
// window's place and size, and the folder the open dialog was last in. The
// file list is not kept.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>

class QSettings;

namespace zl {

class MainWindow;

// Opens the store of the settings: the platform's usual place for the
// program's, or a file of a test's own. Without one nothing is remembered.
using OpenSettings = std::function<std::unique_ptr<QSettings>()>;

// The command-line option that starts the window from its defaults.
inline const QString kResetSettingsOption = QStringLiteral("--reset-settings");

class WindowSettings {
public:
    WindowSettings(MainWindow& window, OpenSettings open);

    // Sets the options and the window's place and size as stored, each value
    // only when it is one the window can take; the window is placed as at
    // its first start when no stored place lies on one of today's screens.
    void Restore();
    // Chooses the stored printer; once the window has selected its default
    // printer on being shown.
    void RestorePrinter();
    // Stores what the window shows now.
    void Save() const;

    // The folder the open dialog starts in: the last one files were opened
    // from while it exists, else the current folder.
    QString OpenFolder() const;
    void SetOpenFolder(const QString& folder) { openFolder_ = folder; }
    // The file type the open dialog showed last; empty at first.
    const QString& OpenFilter() const { return openFilter_; }
    void SetOpenFilter(const QString& filter) { openFilter_ = filter; }

private:
    void RestoreOptions(const QSettings& stored);
    void RestoreGeometry(const QSettings& stored);

    MainWindow& window_;
    OpenSettings open_;
    QString openFolder_;
    QString openFilter_;
    std::string printerName_;
};

// Clears the stored settings, so that the window starts from its defaults.
void ResetSettings(const OpenSettings& open);

} // namespace zl
