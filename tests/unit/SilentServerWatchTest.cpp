#include "printing/SilentServerWatch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace zl {
namespace {

// Polls `done` until it holds or ten seconds have passed.
template <typename Condition> bool Eventually(Condition done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    return done();
}

TEST(SilentServerWatch, StaysSilentUntilTheServerAnswersAndCanStartAgain) {
    auto asked = std::make_shared<std::atomic<int>>(0);
    SilentServerWatch watch([asked] { return ++*asked >= 3; }, std::chrono::milliseconds(1));
    EXPECT_FALSE(watch.Silent());
    watch.Start();
    EXPECT_TRUE(watch.Silent());
    EXPECT_TRUE(Eventually([&] { return !watch.Silent(); }));
    EXPECT_EQ(*asked, 3);
    watch.Start();
    EXPECT_TRUE(Eventually([&] { return !watch.Silent(); }));
    EXPECT_EQ(*asked, 4);
}

} // namespace
} // namespace zl
