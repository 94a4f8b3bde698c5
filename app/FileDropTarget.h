// The drop target: makes one control accept files and folders dropped from
// the file manager (text/uri-list with local files) and hands their names
// to onFilesDropped. For a scroll area such as a list, drops land on its
// viewport. Drops of anything but local files are left to the control.
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>

class QDropEvent;
class QUrl;

namespace zl {

class FileDropTarget;

// sender, number of dropped items (skipped ones included), drop point in
// the control's client coordinates, the delivered names in their order.
// The list lives only during the call.
using FileDropEvent = std::function<void(FileDropTarget* sender, int fcount, int x, int y,
                                         const QStringList& fileList)>;

class FileDropTarget : public QObject {
    Q_OBJECT

public:
    enum CharCase { ccNormal, ccLowerCase, ccUpperCase };

    // Names this long in UTF-8 bytes, or longer, are left out.
    static constexpr int kMaxNameBytes = 255;

    explicit FileDropTarget(QObject* parent = nullptr);
    ~FileDropTarget() override;

    // The control that accepts drops; nullptr for none. Cleared when the
    // control is destroyed.
    QWidget* Control() const { return control_; }
    void SetControl(QWidget* control);
    // Default true; while false the control does not accept drops.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // How names are converted before delivery; default ccNormal.
    CharCase GetCharCase() const { return charCase_; }
    void SetCharCase(CharCase charCase) { charCase_ = charCase; }

    FileDropEvent onFilesDropped;

    // Delivers `names` (file names, relative ones taken from the current
    // folder, or file: addresses) as if they had been dropped at the
    // control's corner: what a desktop's "Open with" hands the program.
    void DeliverGivenNames(const QStringList& names);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Attach();
    void Detach();
    void ControlDestroyed();
    void Deliver(const QList<QUrl>& urls, QPoint point);

    QWidget* control_ = nullptr;
    QPointer<QWidget> target_; // the widget that gets the drop events
    QMetaObject::Connection destroyedConnection_;
    bool enabled_ = true;
    bool targetAcceptedDrops_ = false;
    CharCase charCase_ = ccNormal;
};

} // namespace zl
