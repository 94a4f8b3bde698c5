// Watches a print server that stopped answering, in a thread of its own, so
// that look-ups can fail at once meanwhile instead of each waiting out its
// time limit: the window stays responsive, and learns when the server is
// back without anyone waiting for it.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace zl {

class SilentServerWatch {
public:
    // `answers` asks the server once, on a connection of its own and within
    // a time limit, and says whether it answered. It runs in the watch's
    // thread, every `interval` until it says true, and must hold nothing of
    // its creator's: a watch being asked when it ends finishes on its own.
    SilentServerWatch(std::function<bool()> answers, std::chrono::milliseconds interval);
    // Ends the watch without waiting for a question being asked.
    ~SilentServerWatch();
    SilentServerWatch(const SilentServerWatch&) = delete;
    SilentServerWatch& operator=(const SilentServerWatch&) = delete;

    // The server was found silent: watch it until it answers. Does nothing
    // while a watch is running.
    void Start();
    // True while the server is taken to be silent: from Start until it
    // answered.
    bool Silent() const;

private:
    struct State;
    std::shared_ptr<State> state_;
};

} // namespace zl
