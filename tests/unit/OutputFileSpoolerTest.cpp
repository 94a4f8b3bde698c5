#include "platform/OutputFileSpooler.h"
#include "platform/Exception.h"
#include "printer/UPrnRaw.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace zl {
namespace {

using test::ReadFile;
using test::TempDir;

class OutputFileSpoolerTest : public ::testing::Test {
protected:
    void Write(const std::string& bytes) {
        job.WriteData(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    }

    TempDir dir;
    OutputFileSpooler spooler{dir / "out.pcl"};
    RawPrintJob job{spooler};
};

TEST_F(OutputFileSpoolerTest, DocumentsFollowOneAnotherInTheFile) {
    job.StartJob(OutputFileSpooler::kPrinterName, "ZelPrint Job");
    Write("first\x1b"
          "E");
    job.EndJob();
    job.StartJob(OutputFileSpooler::kPrinterName, "ZelPrint Job");
    Write(std::string(100000, 's'));
    job.EndJob();
    EXPECT_EQ(ReadFile(dir / "out.pcl"), "first\x1b"
                                         "E" +
                                             std::string(100000, 's'));
}

TEST_F(OutputFileSpoolerTest, ACancelledDocumentIsCutOffAgain) {
    job.StartJob(OutputFileSpooler::kPrinterName, "ZelPrint Job");
    Write("kept");
    job.EndJob();
    job.StartJob(OutputFileSpooler::kPrinterName, "ZelPrint Job");
    Write(std::string(200000, 'x'));
    job.AbortJob();
    EXPECT_EQ(ReadFile(dir / "out.pcl"), "kept");
    job.StartJob(OutputFileSpooler::kPrinterName, "ZelPrint Job");
    Write("next");
    job.EndJob();
    EXPECT_EQ(ReadFile(dir / "out.pcl"), "keptnext");
}

TEST_F(OutputFileSpoolerTest, AFileThatWouldStayEmptyIsRemoved) {
    job.StartJob(OutputFileSpooler::kPrinterName, "ZelPrint Job");
    Write("half");
    job.AbortJob();
    EXPECT_FALSE(std::filesystem::exists(dir / "out.pcl"));
}

TEST_F(OutputFileSpoolerTest, ItsOnlyPrinterIsListedAndOpens) {
    std::vector<PrinterInfo> printers;
    ASSERT_TRUE(spooler.EnumPrinters(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, 4, printers));
    ASSERT_EQ(printers.size(), 1u);
    EXPECT_EQ(printers[0].printerName, OutputFileSpooler::kPrinterName);
    PrinterHandle handle = nullptr;
    EXPECT_FALSE(spooler.OpenPrinter("alpha", handle));
    OutputFileSpooler unwritable(dir / "no" / "such" / "folder.pcl");
    RawPrintJob failing(unwritable);
    failing.StartJob(OutputFileSpooler::kPrinterName, "ZelPrint Job");
    EXPECT_THROW(failing.WriteData("x", 1), Exception);
}

} // namespace
} // namespace zl
