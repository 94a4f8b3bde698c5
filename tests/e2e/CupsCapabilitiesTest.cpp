// Paper forms, bins, duplex and default settings of real CUPS destinations:
// "zppd" has a PPD (A4, Letter by default, Legal; Tray1, Tray2, Manual;
// duplex), "alpha" is a raw queue.
#include "platform/CupsSpooler.h"
#include "platform/SystemSpooler.h"
#include "printer/RawPrintJob.h"

#include "tests/support/CupsTestServer.h"
#include "tests/support/TempDir.h"

#include <cups/cups.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <utility>

namespace zl {
namespace {

using test::CupsTestServer;
using test::TempDir;

constexpr std::uint16_t kAllCapabilities[] = {DC_PAPERS, DC_PAPERNAMES, DC_PAPERSIZE,
                                              DC_BINS,   DC_BINNAMES,   DC_DUPLEX};

std::vector<std::pair<int, int>> Sizes(const DeviceCapabilityData& data) {
    std::vector<std::pair<int, int>> sizes;
    for (const PaperDimensions& size : data.sizes)
        sizes.emplace_back(size.width, size.length);
    return sizes;
}

// What libcups itself calls each media size and media source of `queue`, in
// this process's language, so that the tests hold in any locale.
struct LocalNames {
    std::map<std::string, std::string> sources; // by keyword
};

LocalNames CupsOwnNames(const std::string& address, const std::string& queue) {
    LocalNames names;
    auto colon = address.rfind(':');
    const std::string host = address.substr(0, colon);
    const int port = std::atoi(address.c_str() + colon + 1);
    cupsSetServer(address.c_str());
    ippSetPort(port);
    http_t* http = httpConnect2(host.c_str(), port, nullptr, AF_UNSPEC, HTTP_ENCRYPTION_NEVER, 1,
                                5000, nullptr);
    cups_dest_t* dest = http ? cupsGetNamedDest(http, queue.c_str(), nullptr) : nullptr;
    cups_dinfo_t* info = dest ? cupsCopyDestInfo(http, dest) : nullptr;
    if (info) {
        for (const char* keyword : {"tray-1", "tray-2", "manual"})
            names.sources[keyword] =
                cupsLocalizeDestValue(http, dest, info, "media-source", keyword);
        cupsFreeDestInfo(info);
    }
    if (dest)
        cupsFreeDests(1, dest);
    if (http)
        httpClose(http);
    return names;
}

class CupsCapabilitiesTest : public ::testing::Test {
protected:
    std::int32_t Ask(const std::string& device, std::uint16_t capability,
                     DeviceCapabilityData& out) {
        return spooler.DeviceCapabilities(device, device, capability, out, nullptr);
    }

    // The default device mode of `device`, through an open printer as the
    // printer settings get it.
    DeviceMode DefaultMode(const std::string& device) {
        PrinterHandle handle = nullptr;
        EXPECT_TRUE(spooler.OpenPrinter(device, handle));
        DeviceMode mode;
        mode.dmFields = 0xdead;
        if (handle) {
            EXPECT_EQ(spooler.DocumentProperties(handle, device, &mode, nullptr, DM_OUT_BUFFER), 1);
            spooler.ClosePrinter(handle);
        }
        return mode;
    }

    CupsTestServer server = CupsTestServer::Shared();
    CupsSpooler spooler{server.Address()};
};

TEST_F(CupsCapabilitiesTest, ThePpdQueueOffersA4LetterAndLegalWithTheirWindowsCodes) {
    DeviceCapabilityData codes, names, sizes;
    ASSERT_EQ(Ask("zppd", DC_PAPERS, codes), 3);
    EXPECT_EQ(codes.codes, (std::vector<std::uint16_t>{9, 1, 5}));
    ASSERT_EQ(Ask("zppd", DC_PAPERSIZE, sizes), 3);
    EXPECT_EQ(Sizes(sizes),
              (std::vector<std::pair<int, int>>{{2100, 2970}, {2159, 2794}, {2159, 3556}}));
    ASSERT_EQ(Ask("zppd", DC_PAPERNAMES, names), 3);
    // Forms with a Windows code go by its name in every locale.
    EXPECT_EQ(names.names, (std::vector<std::string>{"A4", "Letter", "Legal"}));
    // Each answer fills only its own list.
    EXPECT_TRUE(codes.names.empty() && codes.sizes.empty());
    EXPECT_TRUE(names.codes.empty() && names.sizes.empty());
    EXPECT_TRUE(sizes.codes.empty() && sizes.names.empty());
}

TEST_F(CupsCapabilitiesTest, ThePpdQueuesTraysAreBinsWithTheirWindowsCodes) {
    DeviceCapabilityData codes, names;
    ASSERT_EQ(Ask("zppd", DC_BINS, codes), 3);
    // Tray1, Tray2 and Manual reach CUPS as tray-1, tray-2 and manual.
    EXPECT_EQ(codes.codes, (std::vector<std::uint16_t>{1, 2, 4}));
    ASSERT_EQ(Ask("zppd", DC_BINNAMES, names), 3);
    const LocalNames local = CupsOwnNames(server.Address(), "zppd");
    EXPECT_EQ(names.names,
              (std::vector<std::string>{local.sources.at("tray-1"), local.sources.at("tray-2"),
                                        local.sources.at("manual")}));
    for (const std::string& name : names.names)
        EXPECT_FALSE(name.empty());
}

TEST_F(CupsCapabilitiesTest, ThePpdQueuePrintsOnBothSides) {
    DeviceCapabilityData out;
    EXPECT_EQ(Ask("zppd", DC_DUPLEX, out), 1);
}

TEST_F(CupsCapabilitiesTest, ThePpdQueuesDefaultModeIsLetterOneSidedAsItsPaperListSays) {
    const DeviceMode mode = DefaultMode("zppd");
    EXPECT_EQ(mode.dmDeviceName, "zppd");
    const std::uint32_t filled = DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH | DM_ORIENTATION |
                                 DM_COPIES | DM_PRINTQUALITY | DM_DUPLEX;
    EXPECT_EQ(mode.dmFields & filled, filled);
    EXPECT_EQ(mode.dmPaperSize, 1);
    EXPECT_EQ(mode.dmPaperWidth, 2159);
    EXPECT_EQ(mode.dmPaperLength, 2794);
    EXPECT_EQ(mode.dmOrientation, DMORIENT_PORTRAIT);
    EXPECT_EQ(mode.dmCopies, 1);
    EXPECT_EQ(mode.dmDuplex, DMDUP_SIMPLEX);
    // cupsd gives every queue print-quality-default "normal".
    EXPECT_EQ(mode.dmPrintQuality, -3);
    // cupsd 2.4 names no default media source for a PPD's InputSlot; one
    // that it did name would be the PPD's default, Tray1.
    if (mode.dmFields & DM_DEFAULTSOURCE) {
        EXPECT_EQ(mode.dmDefaultSource, 1);
    }

    // The same code and size as the paper list gives Letter.
    DeviceCapabilityData codes, sizes;
    ASSERT_EQ(Ask("zppd", DC_PAPERS, codes), 3);
    ASSERT_EQ(Ask("zppd", DC_PAPERSIZE, sizes), 3);
    EXPECT_EQ(codes.codes[1], static_cast<std::uint16_t>(mode.dmPaperSize));
    EXPECT_EQ(sizes.sizes[1].width, mode.dmPaperWidth);
    EXPECT_EQ(sizes.sizes[1].length, mode.dmPaperLength);
}

TEST_F(CupsCapabilitiesTest, ARawQueueOffersNothingAndThatIsNoError) {
    for (std::uint16_t capability : kAllCapabilities) {
        DeviceCapabilityData out;
        out.codes = {99};
        out.names = {"stale"};
        EXPECT_EQ(Ask("alpha", capability, out), 0) << capability;
        EXPECT_TRUE(out.codes.empty() && out.names.empty() && out.sizes.empty()) << capability;
    }
    const DeviceMode mode = DefaultMode("alpha");
    EXPECT_EQ(mode.dmDeviceName, "alpha");
    EXPECT_EQ(mode.dmFields, DM_ORIENTATION | DM_COPIES | DM_PRINTQUALITY);
    EXPECT_EQ(mode.dmPaperSize, 0);
    EXPECT_EQ(mode.dmCopies, 1);
}

TEST_F(CupsCapabilitiesTest, AnUnknownDestinationAnswersMinusOne) {
    for (std::uint16_t capability : kAllCapabilities) {
        DeviceCapabilityData out;
        EXPECT_EQ(Ask("nosuchqueue", capability, out), -1) << capability;
        EXPECT_EQ(spooler.LastError(), ERROR_INVALID_PRINTER_NAME);
        EXPECT_TRUE(out.codes.empty() && out.names.empty() && out.sizes.empty());
    }
    DeviceCapabilityData out;
    EXPECT_EQ(Ask("", DC_PAPERS, out), -1);
}

TEST_F(CupsCapabilitiesTest, TheSystemSpoolerAsksCupsForItsQueuesAndNotForPclFile) {
    TempDir files;
    SystemSpooler system(std::make_unique<CupsSpooler>(server.Address()),
                         std::make_unique<FileSpooler>(files.Path()));
    DeviceCapabilityData out;
    EXPECT_EQ(system.DeviceCapabilities("zppd", "zppd", DC_PAPERS, out, nullptr), 3);
    EXPECT_EQ(out.codes, (std::vector<std::uint16_t>{9, 1, 5}));
    EXPECT_EQ(system.DeviceCapabilities("PCL File", "PCL File", DC_PAPERS, out, nullptr), 0);
    EXPECT_TRUE(out.codes.empty());
}

TEST_F(CupsCapabilitiesTest, ARawJobToThePpdQueueArrivesByteForByte) {
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    bytes += "\x1b"
             "E\x1b&l2A\r\n\x0c\x1a";
    bytes += std::string(1, '\0') + "%!PS-Adobe-3.0\n";

    RawPrintJob job(spooler);
    job.StartJob("zppd", "ZelPrint Job");
    const int id = static_cast<int>(job.JobId());
    ASSERT_GT(id, 0);
    job.WriteData(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    job.EndPage();
    job.EndJob();

    EXPECT_EQ(server.WaitForFinalState("zppd", id), IPP_JSTATE_COMPLETED);
    EXPECT_EQ(server.JobData("zppd", id), bytes);
    EXPECT_EQ(server.JobTitle("zppd", id), "ZelPrint Job");
}

TEST(CupsCapabilitiesNow, AnswersAreKeptUntilRefreshedThenAStoppedServerAnswersMinusOne) {
    TempDir dir;
    CupsTestServer own = CupsTestServer::StartOwn(dir.Path());
    CupsSpooler spooler(own.Address());
    DeviceCapabilityData out;
    EXPECT_EQ(spooler.DeviceCapabilities("zppd", "zppd", DC_BINS, out, nullptr), 3);
    own.Stop();
    EXPECT_EQ(spooler.DeviceCapabilities("zppd", "zppd", DC_BINNAMES, out, nullptr), 3);
    spooler.RefreshLookups();
    EXPECT_EQ(spooler.DeviceCapabilities("zppd", "zppd", DC_BINS, out, nullptr), -1);
    EXPECT_TRUE(out.codes.empty());
    EXPECT_EQ(spooler.LastErrorCause(), "cannot reach the print server " + own.Address());
}

} // namespace
} // namespace zl
