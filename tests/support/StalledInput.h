// An input that stalls: a FIFO whose writer is held open and writes nothing
// until the test releases it. A listing read from it waits as for a slow
// share; a guard releases it after a time limit, so that code which cannot
// stop waiting fails its test instead of hanging it.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zl::test {

class StalledInput {
public:
    // Makes the FIFO `path`, its writer open, and starts the guard.
    explicit StalledInput(std::filesystem::path path,
                          std::chrono::milliseconds guard = std::chrono::seconds(5))
        : path_(std::move(path)) {
        if (::mkfifo(path_.c_str(), 0600) == 0)
            writer_ = ::open(path_.c_str(), O_RDWR | O_CLOEXEC); // a writer, never blocked
        made_ = writer_ >= 0;
        guard_ = std::thread([this, guard] {
            std::unique_lock<std::mutex> lock(mutex_);
            if (!cv_.wait_for(lock, guard, [this] { return writer_ < 0; })) {
                CloseWriter("released by the guard\n");
                guardReleased_ = true;
            }
        });
    }
    // Releases the input and removes the FIFO.
    ~StalledInput() {
        Release();
        guard_.join();
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    StalledInput(const StalledInput&) = delete;
    StalledInput& operator=(const StalledInput&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    bool Made() const { return made_; }
    // True once the guard had to release the input: what read it did not
    // stop waiting by itself.
    bool GuardReleased() const { return guardReleased_; }

    // The reader gets `text`, then the end of the input.
    void Release(const std::string& text = {}) {
        std::lock_guard<std::mutex> lock(mutex_);
        CloseWriter(text);
        cv_.notify_all();
    }

private:
    // With the mutex held.
    void CloseWriter(const std::string& text) {
        if (writer_ < 0)
            return;
        for (std::size_t done = 0; done < text.size();) {
            const auto n = ::write(writer_, text.data() + done, text.size() - done);
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        ::close(writer_);
        writer_ = -1;
    }

    std::filesystem::path path_;
    int writer_ = -1;
    bool made_ = false;
    std::atomic<bool> guardReleased_{false};
    std::mutex mutex_;
    std::condition_variable cv_;
    std::thread guard_;
};

} // namespace zl::test
