// zellist's drawn listings: PDF files and --driver jobs through the private
// CUPS server, and the Qt they load.
#include "tests/e2e/ZelListCommandFixture.h"

#include <cups/ipp.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <tuple>

namespace zl::e2e {
namespace {

// What `command` writes on standard output, its runs of blanks made one.
std::string OutputOf(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, n);
        pclose(pipe);
    }
    std::string squeezed;
    for (char c : text) {
        if (c != ' ' || squeezed.empty() || squeezed.back() != ' ')
            squeezed += c;
    }
    return squeezed;
}

#ifndef ZELLIST_WITH_RENDER
const char* const kNotBuilt = "zellist: PDF output and --driver are not part of this build\n";
#endif

// A PCL listing, into a file or on a queue, and the printer look-ups load no
// Qt library; a PDF does, in the drawing program. The dynamic loader names
// every library it maps, opened at run time or not (LD_DEBUG=files).
TEST_F(ZelListCommandTest, OnlyDrawnListingsLoadQt) {
    struct Case {
        std::string args;
        bool qt;
    };
    const Case cases[] = {
        {"-o " + Arg("out.pcl") + " " + Arg("A.TXT"), false},
        {"-o - " + Arg("A.TXT"), false},
        {"--list-printers", false},
        {"--describe-printer zppd", false},
        {"--help", false},
        {"--version", false},
#ifdef ZELLIST_WITH_RENDER
        {"-o " + Arg("x.pdf") + " " + Arg("A.TXT"), true},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        std::string err;
        EXPECT_EQ(Zellist(c.args + " >/dev/null", err, {"LD_DEBUG=files"}), 0);
        EXPECT_NE(err.find("libc.so"), std::string::npos) << "the loader names what it maps";
        EXPECT_EQ(err.find("libQt6") != std::string::npos, c.qt);
    }
}

// -o NAME.pdf writes each listing as a PDF of its own, its text as text: the
// second input's, here standard input, is NAME-2.pdf. Nothing is left in
// the temporary folder.
TEST_F(ZelListCommandTest, APdfOutputHoldsEachListingAsText) {
    std::string err;
#ifndef ZELLIST_WITH_RENDER
    // Built without the renderer, zellist refuses rather than write PCL there.
    EXPECT_EQ(Zellist("-o " + Arg("x.pdf") + " " + Arg("A.TXT"), err), 2);
    EXPECT_EQ(err, kNotBuilt);
    EXPECT_FALSE(std::filesystem::exists(In("x.pdf")));
    return;
#endif
    // What it keeps in the temporary folder goes with it.
    std::filesystem::create_directory(In("tmp"));
    ASSERT_EQ(
        Zellist("--paper letter -o " + Arg("x.pdf") + " " + Arg("A.TXT") + " - <" + Arg("B.TXT"),
                err, {"TMPDIR=" + In("tmp")}),
        0)
        << err;
    EXPECT_TRUE(std::filesystem::is_empty(In("tmp")));
    EXPECT_EQ(err, "zellist: " + In("A.TXT") + ": 1 page into " + In("x.pdf") +
                       "\nzellist: (standard input): 1 page into " + In("x-2.pdf") + "\n");
    for (const auto& [pdf, name, line] :
         {std::tuple<std::string, std::string, std::string>{"x.pdf", In("A.TXT"), "1: ab"},
          {"x-2.pdf", "(standard input)", "1: b\n"}}) {
        SCOPED_TRACE(pdf);
        const std::string info = OutputOf("pdfinfo " + Arg(pdf));
        EXPECT_NE(info.find("Pages: 1\n"), std::string::npos) << info;
        EXPECT_NE(info.find("Page size: 612 x 792 pts (letter)\n"), std::string::npos) << info;
        const std::string text = OutputOf("pdftotext -layout " + Arg(pdf) + " -");
        EXPECT_NE(text.find("File: " + name), std::string::npos) << text;
        EXPECT_NE(text.find(line), std::string::npos) << text;
    }
    EXPECT_EQ(Zellist("--paper folio -o " + Arg("y.pdf") + " " + Arg("A.TXT"), err), 2);
    EXPECT_FALSE(std::filesystem::exists(In("y.pdf")));

    // Pages 2 and 3 of three that form feeds end, on a paper too short for
    // a PCL listing; a character no symbol set has is said, quiet or not.
    test::WriteFile(dir_ / "FF.TXT", "a\fb\fc\xcd\xb8\n"); // U+0378 is no character
    ASSERT_EQ(Zellist("-q --pages 2-3 --paper a5 -o " + Arg("p.pdf") + " " + Arg("FF.TXT"), err), 0)
        << err;
    EXPECT_EQ(err,
              "zellist: " + In("FF.TXT") + ": 1 character could not be printed (shown as ?)\n");
    const std::string info = OutputOf("pdfinfo " + Arg("p.pdf"));
    EXPECT_NE(info.find("Pages: 2\n"), std::string::npos) << info;
    EXPECT_NE(info.find("(A5)"), std::string::npos) << info;
    const std::string text = OutputOf("pdftotext -layout " + Arg("p.pdf") + " -");
    EXPECT_EQ(text.find("1: a"), std::string::npos) << text;
    EXPECT_LT(text.find("2: b"), text.find("3: c")) << text;

    // With emphasis, keywords print in Courier's bold face and comments in
    // its italic one: the page carries more ink, in the same columns.
    test::WriteFile(dir_ / "main.c", "int main(void) { return 0; } /* the end */\n");
    const auto inkOf = [this](const std::string& pdf) {
        return std::stol(OutputOf("pdftoppm -r 100 -gray " + Arg(pdf) +
                                  " | od -An -tu1 -v | awk '{for (i = 1; i <= NF; ++i) s += 255 "
                                  "- $i} END {printf \"%d\", s}'"));
    };
    long ink[2] = {0, 0};
    for (const bool emphasis : {false, true}) {
        SCOPED_TRACE(emphasis);
        const std::string pdf = emphasis ? "e.pdf" : "n.pdf";
        ASSERT_EQ(Zellist(std::string("-q --emphasis ") + (emphasis ? "auto" : "none") + " -o " +
                              Arg(pdf) + " " + Arg("main.c"),
                          err),
                  0)
            << err;
        const std::string fonts = OutputOf("pdffonts " + Arg(pdf));
        EXPECT_EQ(fonts.find("NimbusMonoPS-Bold ") != std::string::npos, emphasis) << fonts;
        EXPECT_EQ(fonts.find("NimbusMonoPS-Italic ") != std::string::npos, emphasis) << fonts;
        EXPECT_NE(OutputOf("pdftotext -layout " + Arg(pdf) + " -")
                      .find("1: int main(void) { return 0; } /* the end */"),
                  std::string::npos);
        ink[emphasis] = inkOf(pdf);
    }
    EXPECT_GT(ink[1], ink[0]);
}

// --driver draws the listing and prints it through the queue's driver: the
// job is a PDF, typed by the server, on a raw queue and on a queue with a
// PPD alike, with the copies, sides, paper and the tray asked for as its
// options (the PPD's choice for the tray whose PCL number is --tray's);
// raw PCL still prints there.
TEST_F(ZelListCommandTest, DriverPrintsTheDrawnListingAndNamesAPrinterThatFails) {
#ifndef ZELLIST_WITH_RENDER
    // Built without the renderer, zellist refuses rather than print PCL.
    const std::vector<int> none = server_.JobIds("zcli");
    std::string err;
    EXPECT_EQ(Zellist("--driver -P zcli " + Arg("A.TXT"), err), 2);
    EXPECT_EQ(err, kNotBuilt);
    EXPECT_EQ(server_.JobIds("zcli"), none);
    return;
#endif
    struct Case {
        std::string args, queue;
        int status;
        std::string err;
        bool pdf; // the printed job holds a PDF, else the PCL listing
        std::vector<std::string> options = {};
    };
    const std::string listed = "zellist: " + In("A.TXT") + ": 1 page on ";
    for (const Case& c : {
             Case{"--driver -P zcli " + Arg("A.TXT"), "zcli", 0, listed + "zcli\n", true},
             Case{"--driver -P zppd " + Arg("A.TXT"), "zppd", 0, listed + "zppd\n", true},
             Case{"-P zppd " + Arg("A.TXT"), "zppd", 0, listed + "zppd\n", false},
             Case{"--driver -P zppd -n 2 --duplex short --paper a4 --tray 5 " + Arg("A.TXT"),
                  "zppd",
                  0,
                  listed + "zppd\n",
                  true,
                  {"copies=2", "sides=two-sided-short-edge", "media=iso_a4_210x297mm",
                   "InputSlot=Tray2"}},
             Case{"--driver -P zppd --tray 4 " + Arg("A.TXT"), "zppd", 1,
                  "zellist: cannot print on 'zppd' through its driver: it has no paper source "
                  "that --tray 4 selects (see --describe-printer)\n",
                  false},
             Case{"--driver -P nosuch " + Arg("A.TXT"), "zcli", 1,
                  "zellist: cannot print on 'nosuch' through its driver: no such printer.\n",
                  false},
             Case{"--driver -P zcli " + Arg("missing.txt"), "zcli", 1,
                  "zellist: " + In("missing.txt") + ": File not found.\n", false},
         }) {
        SCOPED_TRACE(c.args);
        const std::vector<int> before = server_.JobIds(c.queue);
        std::string err;
        EXPECT_EQ(Zellist(c.args, err), c.status) << err;
        EXPECT_EQ(err, c.err);
        const std::vector<int> jobs = NewJobs(before, c.queue);
        if (c.status != 0) { // a refused job is cancelled, nothing of it printed
            for (int id : jobs)
                EXPECT_EQ(server_.WaitForFinalState(c.queue, id), IPP_JSTATE_CANCELED);
            continue;
        }
        ASSERT_EQ(jobs.size(), 1u);
        EXPECT_EQ(server_.WaitForFinalState(c.queue, jobs[0]), IPP_JSTATE_COMPLETED);
        EXPECT_EQ(server_.JobTitle(c.queue, jobs[0]), "ZelPrint Job");
        const std::vector<std::string> options = server_.JobOptions(c.queue, jobs[0]);
        for (const std::string& option : c.options)
            EXPECT_NE(std::find(options.begin(), options.end(), option), options.end()) << option;
        const std::string data = server_.JobData(c.queue, jobs[0]);
        if (!c.pdf) {
            EXPECT_EQ(data, ExpectedListing(In("A.TXT")));
            continue;
        }
        EXPECT_EQ(data.rfind("%PDF", 0), 0u) << data.substr(0, 16);
        test::WriteFile(dir_ / "job.pdf", data);
        const std::string text = OutputOf("pdftotext -layout " + Arg("job.pdf") + " -");
        EXPECT_NE(text.find("File: " + In("A.TXT")), std::string::npos) << text;
        EXPECT_NE(text.find("1: ab"), std::string::npos) << text;
        EXPECT_NE(text.find("2: cd"), std::string::npos) << text;
    }
}

} // namespace
} // namespace zl::e2e
