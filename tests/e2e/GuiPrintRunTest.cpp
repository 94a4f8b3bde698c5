// The Print command of the window, through the private CUPS server.
#include "app/TPrinterDefinition.h"
#include "app/TProCheckListBox.h"
#include "app/TfrmMain.h"
#include "platform/CupsSpooler.h"
#include "platform/SystemSpooler.h"

#include "tests/support/CupsTestServer.h"
#include "tests/support/TempDir.h"

#include <QLabel>
#include <cups/ipp.h>
#include <gtest/gtest.h>

namespace zl {
namespace {

using test::CupsTestServer;

TEST(GuiPrintRun, TheFirstFailureStopsTheRunAndLeavesNothingOpen) {
    CupsTestServer server = CupsTestServer::Shared();
    test::TempDir files;
    SystemSpooler spooler(std::make_unique<CupsSpooler>(server.Address()),
                          std::make_unique<FileSpooler>(files.Path()));
    TPrinter printer(spooler);
    FixedClock clock(LocalTime{2026, 12, 6, 0, 11, 31, 0});
    std::vector<std::string> messages, errors;
    MainWindowServices services;
    services.spooler = &spooler;
    services.printer = &printer;
    services.clock = &clock;
    services.names = LocaleNames::English();
    services.executablePath = ZELLIST_GUI_BINARY;
    services.showMessage = [&](const QString& text) { messages.push_back(text.toStdString()); };
    services.showError = [&](const QString& text) { errors.push_back(text.toStdString()); };
    services.runOpenDialog = [](QFileDialog&) { return QStringList(); };
    TfrmMain window(services);

    // Print on the command-line tests' queue, which no other test here uses.
    const std::vector<std::string> names = printer.EntryNames();
    const int zcli =
        static_cast<int>(std::find(names.begin(), names.end(), "zcli") - names.begin());
    ASSERT_LT(zcli, static_cast<int>(names.size()));
    window.PrinterDefinition->setCurrentIndex(zcli);
    emit window.PrinterDefinition->activated(zcli);
    ASSERT_EQ(window.SelectedPrinterIndex(), zcli);

    test::WriteFile(files / "one.txt", "one\r\n");
    test::WriteFile(files / "three.txt", "three\r\n");
    window.actOpenAccept({QString::fromStdString((files / "one.txt").string()),
                          QString::fromStdString((files / "missing.txt").string()),
                          QString::fromStdString((files / "three.txt").string())});
    const std::vector<int> before = server.JobIds("zcli");
    window.actPrintExecute();

    EXPECT_EQ(errors, (std::vector<std::string>{"File not found"}));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(window.statMainInfoMessage2->text(), "");
    std::vector<int> jobs;
    for (int id : server.JobIds("zcli")) {
        if (before.empty() || id > before.back())
            jobs.push_back(id);
    }
    ASSERT_EQ(jobs.size(), 2u) << "the first listing and the cancelled second; no third";
    EXPECT_EQ(server.WaitForFinalState("zcli", jobs[0]), IPP_JSTATE_COMPLETED);
    EXPECT_NE(server.JobData("zcli", jobs[0]).find("      1: one\r\n"), std::string::npos);
    EXPECT_EQ(server.WaitForFinalState("zcli", jobs[1]), IPP_JSTATE_CANCELED);
    EXPECT_EQ(server.JobData("zcli", jobs[1]), "");
}

} // namespace
} // namespace zl
