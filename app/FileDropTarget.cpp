#include "app/FileDropTarget.h"

#include <QAbstractScrollArea>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include <algorithm>

namespace zl {

namespace {

bool HasLocalFiles(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

// Takes the drag if it may copy (or else link) the files; a file manager
// must never be told that they were moved.
bool AcceptFileDrag(QDropEvent* event) {
    if (event->possibleActions() & Qt::CopyAction)
        event->setDropAction(Qt::CopyAction);
    else if (event->possibleActions() & Qt::LinkAction)
        event->setDropAction(Qt::LinkAction);
    else
        return false;
    event->accept();
    return true;
}

} // namespace

FileDropTarget::FileDropTarget(QObject* parent) : QObject(parent) {}

FileDropTarget::~FileDropTarget() {
    Detach();
}

void FileDropTarget::SetControl(QWidget* control) {
    if (control == control_)
        return;
    Detach();
    disconnect(destroyedConnection_);
    control_ = control;
    if (control_)
        destroyedConnection_ = connect(control_, &QObject::destroyed, this,
                                       &FileDropTarget::ControlDestroyed, Qt::DirectConnection);
    Attach();
}

void FileDropTarget::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (enabled_)
        Attach();
    else
        Detach();
}

void FileDropTarget::Attach() {
    if (!control_ || !enabled_ || target_)
        return;
    auto* area = qobject_cast<QAbstractScrollArea*>(control_);
    target_ = area && area->viewport() ? area->viewport() : control_;
    targetAcceptedDrops_ = target_->acceptDrops();
    target_->setAcceptDrops(true);
    target_->installEventFilter(this);
}

void FileDropTarget::Detach() {
    if (!target_)
        return;
    target_->removeEventFilter(this);
    target_->setAcceptDrops(targetAcceptedDrops_);
    target_ = nullptr;
}

void FileDropTarget::ControlDestroyed() {
    // Nothing of the control may be touched any more; its filters and
    // attributes go with it.
    target_ = nullptr;
    control_ = nullptr;
    disconnect(destroyedConnection_);
}

bool FileDropTarget::eventFilter(QObject* watched, QEvent* event) {
    if (watched != target_)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!HasLocalFiles(drag->mimeData()))
            return false; // not ours: the control decides
        if (!AcceptFileDrag(drag))
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!HasLocalFiles(drop->mimeData()))
            return false;
        if (AcceptFileDrag(drop))
            Deliver(drop->mimeData()->urls(), drop->position().toPoint());
        else
            drop->ignore();
        return true;
    }
    default:
        return false;
    }
}

void FileDropTarget::DeliverGivenNames(const QStringList& names) {
    if (!enabled_ || !control_)
        return;
    QList<QUrl> urls;
    for (const QString& name : names) {
        const QUrl url(name);
        urls << (url.isLocalFile() ? url : QUrl::fromLocalFile(QFileInfo(name).absoluteFilePath()));
    }
    Deliver(urls, QPoint(0, 0));
}

void FileDropTarget::Deliver(const QList<QUrl>& urls, QPoint point) {
    const int fcount = static_cast<int>(urls.size());
    if (fcount == 0)
        return;
    QStringList fileList;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            continue;
        QString name = QDir::toNativeSeparators(url.toLocalFile());
        if (name.toUtf8().size() >= kMaxNameBytes)
            continue;
        if (charCase_ == ccLowerCase)
            name = name.toLower();
        else if (charCase_ == ccUpperCase)
            name = name.toUpper();
        fileList << name;
    }
    if (onFilesDropped)
        onFilesDropped(this, fcount, point.x(), point.y(), fileList);
}

} // namespace zl
