#include "app/PreviewPageLoader.h"

#include "engine/FileInputSource.h"
#include "printer/FailureWords.h"

#include <algorithm>

namespace zl {

namespace {

// The source with its input read so that `cancel` stops a read, also one
// that waits for bytes.
render::ListingSource Cancellable(render::ListingSource source, const CancelSignal& cancel) {
    source.openInput = FileInputSource::CancellableOpener(cancel);
    return source;
}

} // namespace

PreviewPageLoader::PreviewPageLoader(render::ListingSource source)
    : pages_(Cancellable(std::move(source), cancel_)) {
    composer_ = std::thread([this] { ComposeWanted(); });
    counter_ = std::thread([this] { Count(); });
}

PreviewPageLoader::~PreviewPageLoader() {
    Stop();
}

void PreviewPageLoader::Stop() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    cancel_.Raise();
    wanted_.notify_all();
    if (counter_.joinable())
        counter_.join();
    if (composer_.joinable())
        composer_.join();
}

void PreviewPageLoader::Want(std::int32_t first, std::int32_t last) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        wantFirst_ = std::max(1, first);
        wantLast_ = std::max(wantFirst_, last);
    }
    wanted_.notify_all();
}

std::shared_ptr<const render::Page> PreviewPageLoader::Page(std::int32_t number) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& [cached, page] : cache_) {
        if (cached == number)
            return page;
    }
    return nullptr;
}

QString PreviewPageLoader::Failure() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return failure_;
}

QString PreviewPageLoader::PlainFailure() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return plainFailure_;
}

void PreviewPageLoader::Count() {
    try {
        const std::int32_t total = pages_.CountPages([this](std::int32_t page) {
            cancel_.ThrowIfRaised();
            counted_ = page;
            Notify();
        });
        counted_ = total;
        countComplete_ = true;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            lastPage_ = total;
        }
        wanted_.notify_all();
    } catch (const Cancelled&) {
        return;
    } catch (const std::exception& e) {
        Fail(e);
    }
    Notify();
}

// Called with the lock held.
bool PreviewPageLoader::Missing(std::int32_t& first, std::int32_t& last) const {
    const std::int32_t end = lastPage_ > 0 ? std::min(wantLast_, lastPage_) : wantLast_;
    first = 0;
    for (std::int32_t number = wantFirst_; number <= end; ++number) {
        const bool cached = std::any_of(cache_.begin(), cache_.end(), [number](const auto& entry) {
            return entry.first == number;
        });
        if (cached)
            continue;
        if (first == 0)
            first = number;
        last = number;
    }
    return first != 0;
}

void PreviewPageLoader::ComposeWanted() {
    for (;;) {
        std::int32_t first = 0, last = 0;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wanted_.wait(lock,
                         [&] { return stopping_ || (failure_.isEmpty() && Missing(first, last)); });
            if (stopping_)
                return;
        }
        std::int32_t next = first;
        try {
            pages_.ComposePages(first, last, [&](std::int32_t number, const render::Page& page) {
                Keep(number, page);
                next = number + 1;
                Notify();
            });
        } catch (const Cancelled&) {
            return;
        } catch (const std::exception& e) {
            Fail(e);
            return;
        }
        if (next <= last) { // the listing ended before `last`
            const std::lock_guard<std::mutex> lock(mutex_);
            lastPage_ = std::max<std::int32_t>(1, next - 1);
        }
    }
}

void PreviewPageLoader::Keep(std::int32_t number, const render::Page& page) {
    auto kept = std::make_shared<const render::Page>(page);
    const std::lock_guard<std::mutex> lock(mutex_);
    cache_.remove_if([number](const auto& entry) { return entry.first == number; });
    cache_.emplace_front(number, std::move(kept));
    while (cache_.size() > kCachedPages)
        cache_.pop_back();
}

void PreviewPageLoader::Fail(const std::exception& e) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (failure_.isEmpty()) {
            failure_ = QString::fromStdString(e.what());
            plainFailure_ = QString::fromStdString(PlainCause(e));
        }
    }
    Notify();
}

// One Changed on its way at a time, however often the threads call.
void PreviewPageLoader::Notify() {
    if (notifying_.exchange(true))
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            notifying_ = false;
            emit Changed();
        },
        Qt::QueuedConnection);
}

} // namespace zl
