// The job's options as the filter turns them into a listing's options.
#include "filter/JobOptions.h"

#include <gtest/gtest.h>

#include <functional>

namespace zl::filter {
namespace {

// The fields the job's options set, in one line.
std::string Fields(const ListingOptions& o) {
    return "landscape=" + std::to_string(o.landscape) + " lp=" + std::to_string(o.linePrinter) +
           " roman8=" + std::to_string(o.roman8) + " compressed=" + std::to_string(o.compressed) +
           " six=" + std::to_string(o.sixLpi) + " bar=" + std::to_string(o.barHeight) +
           " bars=" + std::to_string(o.printBars) + " tab=" + std::to_string(o.tabSize) +
           " title=" + o.title + " copies=" + std::to_string(o.requests.copies) +
           " sides=" + std::to_string(static_cast<int>(o.requests.sides)) +
           " paper=" + std::to_string(static_cast<int>(o.requests.paper)) +
           " source=" + std::to_string(o.requests.paperSource) +
           " pagePaper=" + std::to_string(static_cast<int>(o.pagePaper)) +
           " pages=" + o.pages.Text() + " emphasis=" + o.emphasis;
}

TEST(JobOptionsTest, OptionsBecomeTheListingsOrAreRefused) {
    QueueDescription queue;
    queue.listingDefaults = {{"zellist-lpi", "8"}, {"zellist-bar-height", "3"}};
    queue.defaultPaper = PaperRequest::A4;
    queue.trays = {{"Auto", 7}, {"Tray2", 4}};
    using Change = std::function<void(ListingOptions&)>;
    const struct {
        std::string options;
        int copies;
        Change change; // from the queue's defaults; null: refused with `error`
        std::string error;
    } rows[] = {
        {"", 1, [](ListingOptions&) {}, ""},
        {"job-uuid=urn:x number-up=1 time-at-creation=5", 1, [](ListingOptions&) {}, ""},
        {"zellist-lpi=6 zellist-bars=no zellist-bar-height=6 zellist-tab-size=0", 1,
         [](ListingOptions& o) {
             o.sixLpi = true, o.printBars = false, o.barHeight = 6, o.tabSize = 0;
         },
         ""},
        {"zellist-font=lineprinter zellist-charset=roman8 zellist-emphasis=auto", 1,
         [](ListingOptions& o) { o.linePrinter = true, o.roman8 = true, o.emphasis = "auto"; }, ""},
        // Line Printer needs 16.67 cpi: 10 cpi prints Courier.
        {"zellist-font=lineprinter zellist-pitch=10", 1,
         [](ListingOptions& o) { o.compressed = false; }, ""},
        {"orientation-requested=4 page-ranges=2-3", 3,
         [](ListingOptions& o) {
             o.landscape = true, o.pages = *PageSelection::Parse("2-3"), o.requests.copies = 3;
         },
         ""},
        {"landscape", 1, [](ListingOptions& o) { o.landscape = true; }, ""},
        {"media=na_legal_8.5x14in,tray-1 sides=two-sided-short-edge InputSlot=Tray2", 1,
         [](ListingOptions& o) {
             o.requests.paper = PaperRequest::Legal, o.requests.sides = Sides::ShortEdge,
             o.requests.paperSource = 4;
         },
         ""},
        {"PageSize=Letter Duplex=DuplexNoTumble", 1,
         [](ListingOptions& o) {
             o.requests.paper = PaperRequest::Letter, o.requests.sides = Sides::LongEdge;
         },
         ""},
        {"zellist-lpi=7", 1, nullptr, "zellist-lpi=7: the value is not 6 or 8"},
        {"zellist-tab-size=17", 1, nullptr,
         "zellist-tab-size=17: the value is not a number from 0 to 16"},
        {"zellist-colour=green", 1, nullptr,
         "zellist-colour=green: no such option (the listing's are zellist-lpi, zellist-font, "
         "zellist-pitch, zellist-bars, zellist-bar-height, zellist-charset, zellist-tab-size, "
         "zellist-emphasis)"},
        {"orientation-requested=6", 1, nullptr, "orientation-requested=6: the value is not 3 or 4"},
        {"media=iso_a5_148x210mm", 1, nullptr,
         "media=iso_a5_148x210mm: the value is not Letter, Legal or A4 (na_letter_8.5x11in, "
         "na_legal_8.5x14in, iso_a4_210x297mm)"},
        {"InputSlot=Tray9", 1, nullptr, "InputSlot=Tray9: the value is not Auto or Tray2"},
        {"", 1000, nullptr, "copies=1000: the value is not a number from 1 to 999"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.options);
        if (!row.change) {
            try {
                JobListingOptions(row.options, row.copies, queue, "t");
                ADD_FAILURE() << "not refused";
            } catch (const JobOptionError& e) {
                EXPECT_EQ(e.what(), row.error);
            }
            continue;
        }
        ListingOptions expected;
        expected.title = "t";
        expected.barHeight = 3;
        expected.pagePaper = PaperRequest::A4;
        row.change(expected);
        EXPECT_EQ(Fields(JobListingOptions(row.options, row.copies, queue, "t")), Fields(expected));
    }
}

} // namespace
} // namespace zl::filter
