// Throughput of raw jobs written in one-byte calls against the same bytes in
// 64 KiB calls, through the print service the program uses: into "PCL File" and,
// when ZELLIST_BENCH_CUPS names a server, into its queue "alpha".
#include "printer/RawPrintJob.h"
#include "printing/CupsPrintService.h"
#include "printing/SystemPrintService.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

constexpr std::size_t kJobBytes = 8 * 1024 * 1024;

const std::string& JobBytes() {
    static const std::string bytes = [] {
        std::string b(kJobBytes, '\0');
        for (std::size_t i = 0; i < b.size(); ++i)
            b[i] = static_cast<char>(i * 13);
        return b;
    }();
    return bytes;
}

void PrintJob(zl::PrintService& service, const std::string& printer, std::size_t chunk) {
    zl::RawPrintJob job(service);
    job.StartJob(printer, "ZelPrint Job");
    const std::string& bytes = JobBytes();
    for (std::size_t at = 0; at < bytes.size(); at += chunk)
        job.WriteData(bytes.data() + at,
                      static_cast<std::int32_t>(std::min(chunk, bytes.size() - at)));
    job.EndPage();
    job.Finish();
}

void Run(benchmark::State& state, zl::PrintService& service, const std::string& printer) {
    const auto chunk = static_cast<std::size_t>(state.range(0));
    for (auto _ : state)
        PrintJob(service, printer, chunk);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kJobBytes));
}

// The CUPS server of ZELLIST_BENCH_CUPS (none reachable when unset), then
// "PCL File" writing into a scratch folder.
class BenchService {
public:
    BenchService()
        : dir_(std::filesystem::temp_directory_path() / "zellist-bench-output"),
          service_(std::make_unique<zl::CupsPrintService>(Server()),
                   std::make_unique<zl::PclFileService>(dir_)) {}
    ~BenchService() { std::filesystem::remove_all(dir_); }
    zl::PrintService& Get() { return service_; }
    static std::string Server() {
        const char* server = std::getenv("ZELLIST_BENCH_CUPS");
        return server && *server ? server : "127.0.0.1:1";
    }

private:
    std::filesystem::path dir_;
    zl::SystemPrintService service_;
};

void PclFile(benchmark::State& state) {
    BenchService service;
    Run(state, service.Get(), zl::PclFileService::kPrinterName);
}

void Cups(benchmark::State& state) {
    if (!std::getenv("ZELLIST_BENCH_CUPS")) {
        state.SkipWithError("ZELLIST_BENCH_CUPS is not set (bench/run sets it)");
        return;
    }
    BenchService service;
    Run(state, service.Get(), "alpha");
}

} // namespace

BENCHMARK(PclFile)->ArgName("call_bytes")->Arg(1)->Arg(65536)->Unit(benchmark::kMillisecond);
BENCHMARK(Cups)
    ->ArgName("call_bytes")
    ->Arg(1)
    ->Arg(65536)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK_MAIN();
