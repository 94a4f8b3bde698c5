// The answers of a set of listing options taken once, as values: what a
// listing composed in another thread reads, while the controls that gave
// them may change or must not be touched from there.
#pragma once

#include "engine/ListingOptions.h"

#include <string>

namespace zl {

class ListingOptionValues : public ListingOptions {
public:
    explicit ListingOptionValues(const ListingOptions& from)
        : landscape_(from.Landscape()), linePrinter_(from.LinePrinter()), noIbm_(from.NoIbm()),
          compressed_(from.Compressed()), barHeight_(from.BarHeight()),
          printBars_(from.PrintBars()), tabSize_(from.TabSize()),
          inputEncoding_(from.InputEncoding()), showControlChars_(from.ShowControlChars()) {}

    bool Landscape() const override { return landscape_; }
    bool LinePrinter() const override { return linePrinter_; }
    bool NoIbm() const override { return noIbm_; }
    bool Compressed() const override { return compressed_; }
    int BarHeight() const override { return barHeight_; }
    bool PrintBars() const override { return printBars_; }
    int TabSize() const override { return tabSize_; }
    std::string InputEncoding() const override { return inputEncoding_; }
    bool ShowControlChars() const override { return showControlChars_; }

private:
    bool landscape_, linePrinter_, noIbm_, compressed_;
    int barHeight_;
    bool printBars_;
    int tabSize_;
    std::string inputEncoding_;
    bool showControlChars_;
};

} // namespace zl
