#include "engine/InputFile.h"

#include "engine/FileInputSource.h"
#include "platform/Interruption.h"

#include "tests/support/MessageOf.h"
#include "tests/support/TempDir.h"
#include "tests/unit/engine/FailingSource.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <ctime>
#include <mutex>
#include <thread>

#ifndef _WIN32
#include "tests/support/StalledInput.h"
#include <unistd.h>
#endif

namespace zl {
namespace {

using test::MessageOf;
using test::TempDir;

std::string ReadAll(InputFile& in) {
    std::string bytes;
    while (!in.AtEnd()) {
        const unsigned char peeked = in.Peek();
        const unsigned char read = in.Read();
        EXPECT_EQ(peeked, read);
        bytes += static_cast<char>(read);
    }
    return bytes;
}

TEST(InputFile, ReadsEveryByteAcrossBufferBoundaries) {
    TempDir dir;
    std::string bytes(200000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i % 253);
    test::WriteFile(dir / "big", bytes);
    InputFile in((dir / "big").string());
    EXPECT_EQ(ReadAll(in), bytes);
    EXPECT_TRUE(in.AtEnd());
    in.Close();
    EXPECT_TRUE(in.AtEnd());
}

std::string AheadText(InputFile& in) {
    std::size_t count = 0;
    const unsigned char* bytes = in.Ahead(count);
    return std::string(reinterpret_cast<const char*>(bytes), count);
}

TEST(InputFile, EnsureAheadKeepsTheUntakenBytesAndReadsMoreBehindThem) {
    InputFile in(std::make_unique<test::FailingSource>("abcdefgh", 3, 0));
    EXPECT_FALSE(in.AtEnd());
    EXPECT_EQ(AheadText(in), "abc");
    in.Skip(2);
    EXPECT_TRUE(in.EnsureAhead(4)); // c, then one read of 3
    EXPECT_EQ(AheadText(in), "cdef");
    EXPECT_TRUE(in.EnsureAhead(1));
    EXPECT_EQ(in.Read(), 'c');
    EXPECT_FALSE(in.EnsureAhead(6)) << "the input ends first";
    EXPECT_EQ(ReadAll(in), "defgh");
    EXPECT_FALSE(in.EnsureAhead(1));
    EXPECT_TRUE(in.AtEnd());
}

TEST(InputFile, EnsureAheadAcrossTheBufferEnd) {
    TempDir dir;
    const std::string bytes = std::string(65535, 'x') + "yz";
    test::WriteFile(dir / "big", bytes);
    InputFile in((dir / "big").string());
    ASSERT_FALSE(in.AtEnd());
    std::size_t count = 0;
    in.Ahead(count);
    ASSERT_EQ(count, 65536u);
    in.Skip(65535);
    EXPECT_TRUE(in.EnsureAhead(2));
    EXPECT_EQ(AheadText(in), "yz");
    EXPECT_FALSE(in.EnsureAhead(65537)) << "more than the buffer holds";
    in.Close();
    EXPECT_FALSE(in.EnsureAhead(3));
}

TEST(InputFile, AnEmptyFileEndsAtOnce) {
    TempDir dir;
    test::WriteFile(dir / "empty", "");
    InputFile in((dir / "empty").string());
    EXPECT_TRUE(in.AtEnd());
}

TEST(InputFile, OpeningFailuresCarryTheTextsUsersSee) {
    TempDir dir;
    test::WriteFile(dir / "file", "x");
    auto open = [](const std::filesystem::path& path) {
        return MessageOf([&] { InputFile in(path.string()); });
    };
    EXPECT_EQ(open(dir / "missing.txt"), "File not found");
    EXPECT_EQ(open(dir / "no-folder" / "a.txt"), "File not found");
    EXPECT_EQ(open(dir / "file" / "a.txt"), "File not found");
    EXPECT_EQ(open(dir.Path()), "File access denied");
    EXPECT_EQ(open(dir / std::string(300, 'n')), "Invalid filename");
    EXPECT_EQ(open(""), "File not found");
}

// A read that waits on an empty pipe while SIGINT arrives every millisecond:
// it must end with Interrupted rather than be repeated for ever. Should it
// be repeated, a byte written into the pipe after ten seconds ends the read,
// and the test fails instead of hanging.
TEST(InputFile, AReadInterruptedByAStopSignalRaisesInterrupted) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no signal that interrupts a read";
#else
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    InputFile in("/proc/self/fd/" + std::to_string(pipeEnds[0]));
    std::mutex mutex;
    std::condition_variable readEnded;
    bool ended = false;
    std::thread watchdog([&] {
        std::unique_lock<std::mutex> lock(mutex);
        if (!readEnded.wait_for(lock, std::chrono::seconds(10), [&] { return ended; })) {
            EXPECT_EQ(write(pipeEnds[1], "x", 1), 1);
        }
    });
    CatchStopSignals();
    sigevent event{};
    event.sigev_notify = SIGEV_SIGNAL;
    event.sigev_signo = SIGINT;
    timer_t timer{};
    ASSERT_EQ(timer_create(CLOCK_MONOTONIC, &event, &timer), 0);
    const itimerspec everyMillisecond{{0, 1000000}, {0, 1000000}};
    timer_settime(timer, 0, &everyMillisecond, nullptr);
    EXPECT_THROW(in.AtEnd(), Interrupted);
    timer_delete(timer);
    std::signal(SIGINT, SIG_DFL);
    ClearStopRequest();
    {
        std::lock_guard<std::mutex> lock(mutex);
        ended = true;
    }
    readEnded.notify_one();
    watchdog.join();
    close(pipeEnds[0]);
    close(pipeEnds[1]);
#endif
}

// With a cancel signal, a FIFO opens without waiting for a writer, its reads
// wait for bytes and then read them to the end, and a cancel from another
// thread ends a read that waits; its size is known only for a regular file.
// A guard gives a FIFO without a writer one after ten seconds, so that an
// open or a read that keeps waiting fails the test instead of hanging it.
TEST(InputFile, ACancelEndsTheWaitForAFifoThatGivesNothing) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no FIFOs";
#else
    TempDir dir;
    const std::string lonely = (dir / "lonely").string();
    ASSERT_EQ(mkfifo(lonely.c_str(), 0600), 0);
    std::mutex mutex;
    std::condition_variable done;
    bool ended = false, guarded = false;
    std::thread guard([&] {
        std::unique_lock<std::mutex> lock(mutex);
        if (!done.wait_for(lock, std::chrono::seconds(10), [&] { return ended; })) {
            guarded = true;
            const int writer = open(lonely.c_str(), O_WRONLY);
            EXPECT_EQ(write(writer, "x", 1), 1);
            close(writer);
        }
    });
    CancelSignal cancel;
    FileInputSource waiting(lonely, &cancel);
    std::thread canceller([&] { cancel.Raise(); });
    char buffer[16];
    EXPECT_THROW(waiting.Read(buffer, sizeof buffer), Cancelled);
    canceller.join();
    {
        std::lock_guard<std::mutex> lock(mutex);
        ended = true;
    }
    done.notify_one();
    guard.join();
    EXPECT_FALSE(guarded) << "the open or the read waited for a writer";

    CancelSignal untouched;
    test::StalledInput stalled(dir / "fed");
    FileInputSource fed(stalled.Path().string(), &untouched);
    stalled.Release("ab");
    ASSERT_EQ(fed.Read(buffer, sizeof buffer), 2u);
    EXPECT_EQ(std::string(buffer, 2), "ab");
    EXPECT_EQ(fed.Read(buffer, sizeof buffer), 0u);
    EXPECT_EQ(fed.KnownSize(), -1);
    test::WriteFile(dir / "regular", "abc");
    EXPECT_EQ(FileInputSource((dir / "regular").string(), &untouched).KnownSize(), 3);
#endif
}

TEST(InputFile, SystemErrorsMapToTheirTexts) {
    EXPECT_EQ(IoErrorMessage(ENOENT), "File not found");
    EXPECT_EQ(IoErrorMessage(EACCES), "File access denied");
    EXPECT_EQ(IoErrorMessage(EPERM), "File access denied");
    EXPECT_EQ(IoErrorMessage(EISDIR), "File access denied");
    EXPECT_EQ(IoErrorMessage(EMFILE), "Too many open files");
    EXPECT_EQ(IoErrorMessage(ENFILE), "Too many open files");
    EXPECT_EQ(IoErrorMessage(ENAMETOOLONG), "Invalid filename");
    EXPECT_EQ(IoErrorMessage(EIO), "I/O error " + std::to_string(EIO));
}

} // namespace
} // namespace zl
