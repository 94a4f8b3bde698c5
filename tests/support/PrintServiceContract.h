// What every print service does, whatever it prints through: the tests each
// backend passes. One file of a test program includes this and instantiates
// the suite with each service and a printer it has:
//   INSTANTIATE_TEST_SUITE_P(Name, PrintServiceContract, ::testing::Values(ServiceUnderTest{...}));
#pragma once

#include "printing/PrintService.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

namespace zl::test {

struct ServiceUnderTest {
    std::string name;
    // The service, writing what it must into `scratch`; null when this
    // machine cannot have it, and the tests are skipped.
    std::function<std::unique_ptr<PrintService>(const TempDir& scratch)> make;
    std::string printer; // one it has
};

inline void PrintTo(const ServiceUnderTest& service, std::ostream* out) {
    *out << service.name;
}

inline std::string ServiceName(const ::testing::TestParamInfo<ServiceUnderTest>& info) {
    return info.param.name;
}

class PrintServiceContract : public ::testing::TestWithParam<ServiceUnderTest> {
protected:
    void SetUp() override {
        service = GetParam().make(scratch);
        if (!service)
            GTEST_SKIP() << GetParam().name << " is not there to be tested";
    }

    // A job on the printer with `bytes` written.
    std::unique_ptr<PrintJob> JobWith(const std::string& bytes) {
        std::unique_ptr<PrintJob> job = service->OpenJob(printer, "ZelPrint Job", DataType::Raw);
        for (std::size_t at = 0; at < bytes.size();) {
            const std::size_t taken = job->Write(bytes.data() + at, bytes.size() - at);
            EXPECT_GT(taken, 0u);
            at += std::max<std::size_t>(taken, 1);
        }
        return job;
    }

    TempDir scratch;
    std::unique_ptr<PrintService> service;
    const std::string printer = GetParam().printer;
};

TEST_P(PrintServiceContract, ItsPrinterIsListedAndTheDefaultIsOneOfThePrinters) {
    const InstalledPrinters installed = service->Printers();
    const std::vector<std::string>& printers = installed.names;
    EXPECT_NE(std::find(printers.begin(), printers.end(), printer), printers.end());
    const std::string& defaultName = installed.defaultName;
    EXPECT_TRUE(defaultName.empty() ||
                std::find(printers.begin(), printers.end(), defaultName) != printers.end())
        << defaultName;
}

TEST_P(PrintServiceContract, AnUnknownPrinterNeitherOpensNorIsDescribed) {
    try {
        service->OpenJob("no such printer", "ZelPrint Job", DataType::Raw);
        ADD_FAILURE() << "opened";
    } catch (const PrintFailure& failure) {
        EXPECT_EQ(failure.Step(), PrintStep::Open);
        EXPECT_EQ(
            std::string(failure.what())
                .rfind("OpenPrinter()=False @ StartJob with PrinterName:'no such printer'", 0),
            0u)
            << failure.what();
    }
    EXPECT_THROW(service->Capabilities("no such printer"), PrintFailure);
}

TEST_P(PrintServiceContract, ThePrintersDefaultsNameOneOfItsFormsOrNone) {
    const PrinterCapabilities offered = service->Capabilities(printer);
    const std::uint16_t paper = offered.defaults.paper;
    EXPECT_TRUE(paper == 0 || paper == kUserDefinedPaper ||
                std::any_of(offered.forms.begin(), offered.forms.end(),
                            [&](const PaperForm& form) { return form.code == paper; }))
        << paper;
}

TEST_P(PrintServiceContract, AJobTakesItsBytesAndFinishesAndTheNextOneToo) {
    for (int i = 0; i < 2; ++i) {
        std::unique_ptr<PrintJob> job = JobWith("\x1b"
                                                "E job " +
                                                std::to_string(i));
        EXPECT_GT(job->Id(), 0u);
        EXPECT_NO_THROW(job->Finish());
    }
}

TEST_P(PrintServiceContract, AJobIsCancelledOrEndsUnfinishedWithoutAWord) {
    EXPECT_NO_THROW(JobWith(std::string(100000, 'c'))->Cancel());
    EXPECT_NO_THROW(JobWith("left unfinished").reset());
    EXPECT_NO_THROW(JobWith("after them")->Finish());
}

} // namespace zl::test
