// PCL File, the output file and, on Windows, the Windows spooler pass what
// every print service does. Under Wine the spooler lists the private cupsd's
// queues (scripts/test-windows points Wine at it and names it in
// ZELLIST_TEST_CUPSD); without that server it has nothing to print on, and
// its tests are skipped.
#include "printing/OutputFileService.h"
#include "printing/PclFileService.h"

#ifdef _WIN32
#include "printing/WindowsPrintService.h"
#endif

#include "tests/support/PrintServiceContract.h"

#include <cstdlib>

namespace zl::test {
namespace {

std::vector<ServiceUnderTest> Backends() {
    std::vector<ServiceUnderTest> backends = {
        {"PclFile", [](const TempDir& dir) { return std::make_unique<PclFileService>(dir.Path()); },
         PclFileService::kPrinterName},
        {"OutputFile",
         [](const TempDir& dir) { return std::make_unique<OutputFileService>(dir / "out.pcl"); },
         OutputFileService::kPrinterName}};
#ifdef _WIN32
    backends.push_back({"Windows",
                        [](const TempDir&) -> std::unique_ptr<PrintService> {
                            if (!std::getenv("ZELLIST_TEST_CUPSD"))
                                return nullptr;
                            return std::make_unique<WindowsPrintService>();
                        },
                        "zcli"});
#endif
    return backends;
}

INSTANTIATE_TEST_SUITE_P(Backends, PrintServiceContract, ::testing::ValuesIn(Backends()),
                         ServiceName);

} // namespace
} // namespace zl::test
