// One piece of work in a thread of its own, cancellable: the work is given
// the cancel signal for its input, and Ended arrives (queued) once it is
// over, with the failure that ended it, if any.
#pragma once

#include "engine/CancelSignal.h"

#include <QObject>
#include <QString>

#include <functional>
#include <thread>

namespace zl {

class BackgroundTask : public QObject {
    Q_OBJECT

public:
    using Work = std::function<void(const CancelSignal& cancel)>;

    explicit BackgroundTask(Work work);
    // Cancels the work and waits for its end.
    ~BackgroundTask() override;
    BackgroundTask(const BackgroundTask&) = delete;
    BackgroundTask& operator=(const BackgroundTask&) = delete;

    void Cancel() { cancel_.Raise(); }
    bool Cancelled() const { return cancel_.Raised(); }
    // Set once Ended was sent: empty when the work ended well.
    const QString& Failure() const { return failure_; }

signals:
    void Ended();

private:
    CancelSignal cancel_;
    QString failure_;
    std::thread thread_;
};

} // namespace zl
