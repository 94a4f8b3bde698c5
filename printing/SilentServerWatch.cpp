#include "printing/SilentServerWatch.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace zl {

// Shared by the watch and its thread, so that either may end first.
struct SilentServerWatch::State {
    std::function<bool()> answers;
    std::chrono::milliseconds interval;
    std::mutex mutex;
    std::condition_variable wake;
    bool silent = false;
    bool ending = false;
};

SilentServerWatch::SilentServerWatch(std::function<bool()> answers,
                                     std::chrono::milliseconds interval)
    : state_(std::make_shared<State>()) {
    state_->answers = std::move(answers);
    state_->interval = interval;
}

SilentServerWatch::~SilentServerWatch() {
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        state_->ending = true;
    }
    state_->wake.notify_all();
}

bool SilentServerWatch::Silent() const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->silent;
}

void SilentServerWatch::Start() {
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        if (state_->silent)
            return;
        state_->silent = true;
    }
    std::thread([state = state_] {
        std::unique_lock<std::mutex> lock(state->mutex);
        while (!state->wake.wait_for(lock, state->interval, [&] { return state->ending; })) {
            lock.unlock();
            const bool answered = state->answers();
            lock.lock();
            if (answered) {
                state->silent = false;
                return;
            }
        }
    }).detach();
}

} // namespace zl
