#include "printer/FailureWords.h"

#include <gtest/gtest.h>

namespace zl {
namespace {

// The texts the spooler calls, the input files and the print server give,
// each with and without a failed call before it.
TEST(FailureWords, TechnicalTextsBecomeTheirCausesInPlainWords) {
    const std::pair<const char*, const char*> cases[] = {
        {"File not found", "the file does not exist"},
        {"File access denied", "it may not be read, or it is a folder"},
        {"I/O error 5", "reading the file failed (error 5)"},
        {"unknown input encoding 'klingon'", "the character set 'klingon' is unknown"},
        {"OpenPrinter()=False @ StartJob with PrinterName:'pcltest': cannot reach the print "
         "server 127.0.0.1:8741",
         "the print server 127.0.0.1:8741 does not answer"},
        {"OpenPrinter()=False @ StartJob with PrinterName:'gone'",
         "the printer gone cannot be opened"},
        {"WritePrinter() API failed @ WriteData: the print server 127.0.0.1:631 does not answer",
         "the print server 127.0.0.1:631 does not answer"},
        {"WritePrinter() API failed @ WriteData: Destination \"reject\" is not accepting jobs.",
         "the printer reject does not accept jobs"},
        {"WritePrinter() API failed @ WriteData: the print server h:631 closed the connection",
         "the print server h:631 broke off the connection"},
        {"WritePrinter() API failed @ WriteData", "the printer did not take the listing"},
        {"EndDocPrinter() API failed @ EndJob: No space left on device", "the disk is full"},
        {"EndDocPrinter() API failed @ EndJob", "the printer did not take the whole listing"},
        {"WritePrinter() API failed @ WriteData: cannot create the folder /x: Not a directory",
         "cannot create the folder /x: Not a directory"},
        {"something nobody foresaw", "something nobody foresaw"},
    };
    for (const auto& [technical, plain] : cases)
        EXPECT_EQ(PlainCause(technical), plain) << technical;
}

} // namespace
} // namespace zl
