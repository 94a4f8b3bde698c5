// Feeds random files and page options to the listing composer. It must never
// crash, and the file's bytes before its first byte 26 must reach the
// printer in order, except the byte that follows each CR (the LF of CR LF).
#include "engine/ListingComposer.h"
#include "tests/support/RecordingSpooler.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

class FuzzOptions : public zl::ListingOptions {
public:
    FuzzOptions(std::uint8_t flags, std::int8_t barHeight) : flags_(flags), barHeight_(barHeight) {}
    bool Landscape() const override { return flags_ & 1; }
    bool LinePrinter() const override { return (flags_ & 2) && Compressed(); }
    bool NoIbm() const override { return flags_ & 4; }
    bool Compressed() const override { return flags_ & 8; }
    int BarHeight() const override { return barHeight_; }

private:
    std::uint8_t flags_;
    std::int8_t barHeight_;
};

// The file bytes that must appear in the output, in order.
std::string ExpectedBytes(const std::uint8_t* data, std::size_t size) {
    std::string expected;
    std::size_t i = 0;
    while (i < size && data[i] != 26) {
        expected += static_cast<char>(data[i]);
        const bool dropsNext = data[i] == 13 && i + 1 < size && data[i + 1] != 26;
        i += dropsNext ? 2 : 1; // the byte after a CR is read and dropped
    }
    return expected;
}

bool IsSubsequence(const std::string& needle, const std::string& haystack) {
    std::size_t at = 0;
    for (char c : haystack) {
        if (at < needle.size() && needle[at] == c)
            ++at;
    }
    return at == needle.size();
}

std::string TempFile() {
    char name[] = "/tmp/zellist-fuzz-XXXXXX";
    int fd = mkstemp(name);
    if (fd < 0)
        std::abort();
    close(fd);
    return name;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    static const std::string path = TempFile();
    const std::uint8_t flags = data[0];
    const auto barHeight = static_cast<std::int8_t>(data[1]);
    data += 2;
    size -= 2;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0)
        std::abort();

    zl::test::RecordingSpooler spooler;
    spooler.printers = {{"Laser", ""}};
    zl::TPrinter printers(spooler);
    zl::RawPrintJob job(spooler);
    FuzzOptions options(flags, barHeight);
    zl::PageGeometry geometry;
    zl::ApplyPageSettings({options.Compressed(), options.Landscape(), (flags & 16) != 0}, geometry);
    zl::FixedClock clock(zl::LocalTime{2026, 12, 6, 0, 11, 31, 0});
    const zl::LocaleNames names = zl::LocaleNames::English();
    zl::ListingComposer composer(job, printers, options, geometry, clock, names);

    composer.ZelListProcess(path, 0);
    if (spooler.jobs.size() != 1 || !spooler.jobs[0].ended || job.IsOpen())
        std::abort();
    const std::string output = spooler.jobs[0].Bytes();
    if (output.compare(0, 2,
                       "\x1b"
                       "E") != 0 ||
        output.size() < 6 || output.compare(output.size() - 5, 5, "\x1b&f4X") != 0)
        std::abort();
    if (!IsSubsequence(ExpectedBytes(data, size), output))
        std::abort();
    return 0;
}
