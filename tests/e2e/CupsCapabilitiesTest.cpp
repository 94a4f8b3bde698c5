// Paper forms, bins, two-sided printing and default settings of real CUPS
// destinations: "zppd" has a PPD (A4, Letter by default, Legal; Tray1,
// Tray2, Manual; duplex), "alpha" is a raw queue. The CUPS service passes
// what every print service does.
#include "printing/CupsPrintService.h"
#include "printing/SystemPrintService.h"

#include "tests/support/CupsTestServer.h"
#include "tests/support/PrintServiceContract.h"

#include <cups/cups.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <tuple>

namespace zl {
namespace {

using test::CupsTestServer;
using test::PrintServiceContract;
using test::TempDir;

INSTANTIATE_TEST_SUITE_P(Cups, PrintServiceContract,
                         ::testing::Values(test::ServiceUnderTest{
                             "Cups",
                             [](const TempDir&) {
                                 return std::make_unique<CupsPrintService>(
                                     CupsTestServer::Shared().Address());
                             },
                             "zppd"}),
                         test::ServiceName);

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
    CupsTestServer server = CupsTestServer::Shared();
    CupsPrintService service{server.Address()};
};

TEST_F(CupsCapabilitiesTest, ThePpdQueueOffersItsFormsTraysAndBothSidesWithTheirCodes) {
    const PrinterCapabilities zppd = service.Capabilities("zppd");
    ASSERT_EQ(zppd.forms.size(), 3u);
    // Forms with a code Windows knows go by its name in every locale.
    const std::vector<std::tuple<std::string, int, int, int>> forms = {
        {"A4", 9, 2100, 2970}, {"Letter", 1, 2159, 2794}, {"Legal", 5, 2159, 3556}};
    for (std::size_t i = 0; i < forms.size(); ++i) {
        const PaperForm& form = zppd.forms[i];
        EXPECT_EQ(std::make_tuple(form.name, int(form.code), form.size.width, form.size.length),
                  forms[i]);
    }
    // Tray1, Tray2 and Manual reach CUPS as tray-1, tray-2 and manual, named
    // as the PPD names them; the PCL commands of the PPD give their paper
    // sources, the usual ones the papers'.
    const LocalNames local = CupsOwnNames(server.Address(), "zppd");
    ASSERT_EQ(zppd.bins.size(), 3u);
    const char* const keywords[] = {"tray-1", "tray-2", "manual"};
    const char* const names[] = {"Tray 1", "Tray 2", "Manual Feed"};
    const std::uint16_t codes[] = {1, 2, 4};
    const std::int32_t pclSources[] = {1, 5, 2};
    const std::int32_t pclPaperSizes[] = {26, 2, 3};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(zppd.forms[i].pclPaperSize, pclPaperSizes[i]);
        EXPECT_EQ(zppd.bins[i].pclSource, pclSources[i]);
        EXPECT_EQ(zppd.bins[i].code, codes[i]);
        EXPECT_EQ(zppd.bins[i].name, names[i]) << local.sources.at(keywords[i]);
    }
    EXPECT_TRUE(zppd.twoSided);
}

TEST_F(CupsCapabilitiesTest, ThePpdQueuesDefaultPaperIsLetterAsItsPaperListSays) {
    const DeviceSettings defaults = service.Capabilities("zppd").defaults;
    EXPECT_EQ(defaults.paper, 1);
    // cupsd 2.4 names no default media source for a PPD's InputSlot; one
    // that it did name would be the PPD's default, Tray1.
    EXPECT_TRUE(defaults.bin == 0 || defaults.bin == 1) << defaults.bin;
}

TEST_F(CupsCapabilitiesTest, ARawQueueOffersNothingAndThatIsNoError) {
    const PrinterCapabilities alpha = service.Capabilities("alpha");
    EXPECT_TRUE(alpha.forms.empty() && alpha.bins.empty() && !alpha.twoSided);
    EXPECT_EQ(alpha.defaults.paper, 0);
    EXPECT_THROW(service.Capabilities(""), PrintFailure);
}

TEST_F(CupsCapabilitiesTest, TheSystemServiceAsksCupsForItsQueuesAndNotForPclFile) {
    TempDir files;
    SystemPrintService system(std::make_unique<CupsPrintService>(server.Address()),
                              std::make_unique<PclFileService>(files.Path()));
    EXPECT_EQ(system.Capabilities("zppd").forms.size(), 3u);
    EXPECT_TRUE(system.Capabilities("PCL File").forms.empty());
}

TEST(CupsCapabilitiesNow, AnswersAreKeptUntilRefreshedThenAStoppedServerIsNamed) {
    TempDir dir;
    CupsTestServer own = CupsTestServer::StartOwn(dir.Path());
    CupsPrintService service(own.Address());
    EXPECT_EQ(service.Capabilities("zppd").bins.size(), 3u);
    own.Stop();
    EXPECT_EQ(service.Capabilities("zppd").bins.size(), 3u);
    service.RefreshLookups();
    try {
        service.Capabilities("zppd");
        ADD_FAILURE() << "described";
    } catch (const PrintFailure& failure) {
        EXPECT_EQ(failure.Cause(), "cannot reach the print server " + own.Address());
    }
}

} // namespace
} // namespace zl
