// The page options of a listing as the command line's flags give them.
#pragma once

#include "cli/CommandLine.h"
#include "engine/ListingOptions.h"

#include <string>

namespace zl::cli {

class FlagOptions : public ListingOptions {
public:
    explicit FlagOptions(const CliSettings& settings) : s_(settings) {}
    bool Landscape() const override { return s_.page.landscape; }
    bool LinePrinter() const override { return s_.linePrinter; }
    bool NoIbm() const override { return s_.noIbm; }
    bool Compressed() const override { return s_.page.compressed; }
    int BarHeight() const override { return s_.barHeight; }
    bool PrintBars() const override { return s_.printBars; }
    int TabSize() const override { return s_.tabSize; }
    std::string InputEncoding() const override { return s_.inputEncoding; }
    bool ShowControlChars() const override { return s_.showControlChars; }

private:
    const CliSettings& s_;
};

} // namespace zl::cli
