// The print server's greenbar queue: text sent with lp goes through the
// filter zellist-cups and arrives as the listing zellist makes of it.
#include "tests/e2e/ZelListCommandFixture.h"

#include <cups/ipp.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include <algorithm>

namespace zl::e2e {
namespace {

class GreenbarQueueTest : public ZelListCommandTest {
protected:
    // Sends the file `name` of the test's folder to the greenbar queue with
    // lp and `options`; the job's id, 0 when lp fails (its standard error in
    // `err`).
    int Lp(const std::string& options, const std::string& name, std::string& err) {
        const std::string out = In("lp.out");
        const std::string line = "cd '" + In("") + "' && env -u LPDEST -u PRINTER " +
                                 "HOME=/nonexistent CUPS_SERVER='" + cupsServer_ +
                                 "' lp -d greenbar " + options + " '" + name + "' >'" + out +
                                 "' 2>'" + ErrFile() + "'";
        const int status = std::system(line.c_str());
        err = test::ReadFile(ErrFile());
        // "request id is greenbar-12 (1 file(s))"
        const std::string said = test::ReadFile(out);
        const std::size_t id = said.find("greenbar-");
        if (status != 0 || id == std::string::npos)
            return 0;
        return std::atoi(said.c_str() + id + 9);
    }

    // zellist's listing of `name` with `args` and the title lp gives it.
    std::string ZellistListing(const std::string& args, const std::string& name) {
        std::string err;
        EXPECT_EQ(
            Zellist(args + " --title '" + name + "' -o " + Arg("z.pcl") + " " + Arg(name), err), 0)
            << err;
        return test::ReadFile(In("z.pcl"));
    }

    bool LogHas(int job, const std::string& text) const {
        const std::vector<std::string> lines = server_.JobLogLines(job);
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.find(text) != std::string::npos;
        });
    }
};

// The headers' dates as one word: the filter dates a listing when its job
// was created, in the server's time zone and language.
std::string DatesMasked(const std::string& listing) {
    std::string masked = listing;
    for (std::size_t at = masked.find("File: "); at != std::string::npos;
         at = masked.find("File: ", at + 1)) {
        const std::size_t nameEnd = masked.find(' ', at + 6);
        const std::size_t page = masked.find("Page ", nameEnd);
        if (nameEnd == std::string::npos || page == std::string::npos ||
            masked.find('\n', nameEnd) < page)
            continue;
        masked.replace(nameEnd, page - nameEnd, " DATE ");
    }
    return masked;
}

TEST_F(GreenbarQueueTest, TextJobsPrintAsZellistListsThem) {
    test::WriteFile(dir_ / "main.c", "int main(void)\n{\n\treturn 0;\n}\n");
    test::WriteFile(dir_ / "pages.txt", "one\ftwo\fthree\ffour\n");
    // Cyrillic from the downloaded font, the emoji as '?'.
    test::WriteFile(dir_ / "utf8.txt", "\xd0\x96\xd0\xb8\xd0\xb2 \xf0\x9f\x98\x80\n");
    const struct {
        std::string lpOptions, zellistArgs, file;
    } cases[] = {
        {"-o zellist-lpi=6", "--lpi 6", "main.c"},
        {"-o page-ranges=2-3", "--pages 2-3", "pages.txt"},
        // The spool file has no name: the job's title tells the language.
        {"-o zellist-emphasis=auto", "--emphasis auto", "main.c"},
        {"", "", "utf8.txt"},
    };
    int utf8Job = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        std::string err;
        const int job = Lp(c.lpOptions, c.file, err);
        ASSERT_NE(job, 0) << err;
        ASSERT_EQ(server_.WaitForFinalState("greenbar", job), IPP_JSTATE_COMPLETED);
        const std::string listing = server_.JobData("greenbar", job);
        EXPECT_FALSE(listing.empty());
        utf8Job = job;
        EXPECT_EQ(DatesMasked(listing), DatesMasked(ZellistListing(c.zellistArgs, c.file)));
    }
    // The emoji, counted.
    EXPECT_TRUE(LogHas(utf8Job, "1 character could not be printed (shown as ?)"));
}

TEST_F(GreenbarQueueTest, ABadOptionEndsTheJobWithItsErrorAndPrintsNothing) {
    test::WriteFile(dir_ / "main.c", "x\n");
    std::string err;
    const int job = Lp("-o zellist-lpi=9", "main.c", err);
    ASSERT_NE(job, 0) << err;
    // CUPS stops a job whose filter failed, whatever the queue's error
    // policy; the user cancels it.
    EXPECT_EQ(server_.WaitForState("greenbar", job, IPP_JSTATE_STOPPED), IPP_JSTATE_STOPPED);
    EXPECT_EQ(server_.JobData("greenbar", job), "");
    EXPECT_TRUE(LogHas(job, "] zellist-lpi=9: the value is not 6 or 8"));
    server_.CancelJob("greenbar", job);
}

// The queue takes PDF only through a raster filter, which the test server
// has none of: CUPS refuses the document, and the filter never sees it.
TEST_F(GreenbarQueueTest, APdfIsNotListed) {
    test::WriteFile(dir_ / "doc.pdf", "%PDF-1.4\n%%EOF\n");
    const std::vector<int> before = server_.JobIds("greenbar");
    std::string err;
    EXPECT_EQ(Lp("", "doc.pdf", err), 0);
    EXPECT_NE(err.find("Unsupported document-format \"application/pdf\""), std::string::npos)
        << err;
    for (const int job : NewJobs(before, "greenbar")) {
        EXPECT_GE(server_.WaitForFinalState("greenbar", job), IPP_JSTATE_CANCELED);
        EXPECT_EQ(server_.JobData("greenbar", job), "");
        EXPECT_FALSE(LogHas(job, "zellist")) << "the filter ran";
    }
}

} // namespace
} // namespace zl::e2e
