#include "printer/FailureWords.h"

#include "engine/InputSource.h"
#include "printing/PrintFailure.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

namespace zl {
namespace {

// Failures of the input files, of the print server and of the files a
// listing is written into, each as its fields say, in plain words.
TEST(FailureWords, FailuresAreToldInPlainWordsFromTheirFields) {
    const std::pair<std::function<void()>, const char*> cases[] = {
        {[] { throw InputFailure(ENOENT); }, "the file does not exist"},
        {[] { throw InputFailure(EISDIR); }, "it may not be read, or it is a folder"},
        {[] { throw InputFailure(EIO); }, "reading the file failed (error 5)"},
        {[] { throw InputFailure::UnknownEncoding("klingon"); },
         "the character set 'klingon' is unknown"},
        {[] {
             throw PrintFailure(PrintStep::Open,
                                {CauseKind::ServerUnreachable,
                                 "cannot reach the print server 127.0.0.1:8741", "127.0.0.1:8741"},
                                "pcltest");
         },
         "the print server 127.0.0.1:8741 does not answer"},
        {[] { throw PrintFailure(PrintStep::Open, "", "gone"); },
         "the printer gone cannot be opened"},
        {[] {
             throw PrintFailure(PrintStep::Write,
                                {CauseKind::NotAcceptingJobs,
                                 "Destination \"reject\" is not accepting jobs.", "reject"});
         },
         "the printer reject does not accept jobs"},
        {[] {
             throw PrintFailure(PrintStep::Write,
                                {CauseKind::ServerClosed,
                                 "the print server h:631 closed the connection", "h:631"});
         },
         "the print server h:631 broke off the connection"},
        {[] { throw PrintFailure(PrintStep::Write, ""); }, "the printer did not take the listing"},
        {[] { throw PrintFailure(PrintStep::Finish, FailureCause::OfSystemError(ENOSPC)); },
         "the disk is full"},
        {[] { throw PrintFailure(PrintStep::Finish, ""); },
         "the printer did not take the whole listing"},
        {[] {
             throw PrintFailure(PrintStep::Write, "cannot create the folder /x: Not a directory");
         },
         "cannot create the folder /x: Not a directory"},
        {[] { throw Exception("something nobody foresaw"); }, "something nobody foresaw"},
    };
    for (const auto& [fail, plain] : cases) {
        try {
            fail();
        } catch (const std::exception& e) {
            EXPECT_EQ(PlainCause(e), plain) << e.what();
        }
    }
}

} // namespace
} // namespace zl
