#include "app/BackgroundTask.h"

#include <exception>

namespace zl {

BackgroundTask::BackgroundTask(Work work) {
    thread_ = std::thread([this, work = std::move(work)] {
        try {
            work(cancel_);
        } catch (const std::exception& e) {
            failure_ = QString::fromStdString(e.what());
        }
        QMetaObject::invokeMethod(
            this, [this] { emit Ended(); }, Qt::QueuedConnection);
    });
}

BackgroundTask::~BackgroundTask() {
    cancel_.Raise();
    if (thread_.joinable())
        thread_.join();
}

} // namespace zl
