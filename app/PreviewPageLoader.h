// The pages of the previewed listing, brought in the background: one thread
// counts them (the count grows as it goes), another composes the pages the
// preview wants, a few at a time, into a small cache. The window's thread
// only asks and takes; nothing it does waits for a composition. Stopping
// (or deleting the loader) cancels both at once, also a read that waits.
#pragma once

#include "engine/CancelSignal.h"
#include "render/ListingPageSource.h"
#include "render/PageModel.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

namespace zl {

class PreviewPageLoader : public QObject {
    Q_OBJECT

public:
    // Pages of `source`, whose input it opens so that Stop wakes a read
    // that waits; the threads start at once, page 1 first.
    explicit PreviewPageLoader(render::ListingSource source);
    ~PreviewPageLoader() override;
    PreviewPageLoader(const PreviewPageLoader&) = delete;
    PreviewPageLoader& operator=(const PreviewPageLoader&) = delete;

    // The pages wanted now, from 1: those in view and a few around them.
    // Pages in the cache are not composed again.
    void Want(std::int32_t first, std::int32_t last);
    // Page `number` if it is in the cache, else null.
    std::shared_ptr<const render::Page> Page(std::int32_t number) const;

    // The pages counted so far, and whether that is all of them.
    std::int32_t PagesCounted() const { return counted_.load(); }
    bool CountComplete() const { return countComplete_.load(); }
    // The failure that stopped the listing ("" while none did), as raised.
    QString Failure() const;
    // The same in plain words.
    QString PlainFailure() const;

    // Stops both threads and waits for them; the cache stays.
    void Stop();

    // The pages kept at most: those in view of two pages side by side and
    // the ones around them.
    static constexpr std::size_t kCachedPages = 24;

signals:
    // Pages arrived in the cache, the count grew or ended, or a failure
    // stopped the listing.
    void Changed();

private:
    void Count();
    void ComposeWanted();
    // The first and last wanted page not in the cache; false for none.
    bool Missing(std::int32_t& first, std::int32_t& last) const;
    void Keep(std::int32_t number, const render::Page& page);
    void Fail(const std::exception& e);
    void Notify();

    CancelSignal cancel_;
    render::ListingPageSource pages_;

    std::atomic<std::int32_t> counted_{0};
    std::atomic<bool> countComplete_{false};
    std::atomic<bool> notifying_{false}; // a Changed is on its way

    mutable std::mutex mutex_;
    std::condition_variable wanted_;
    std::int32_t wantFirst_ = 1, wantLast_ = 1;
    std::int32_t lastPage_ = 0; // the listing's last page, once known
    bool stopping_ = false;
    // Most recently used first.
    std::list<std::pair<std::int32_t, std::shared_ptr<const render::Page>>> cache_;
    QString failure_, plainFailure_;

    std::thread counter_, composer_;
};

} // namespace zl
