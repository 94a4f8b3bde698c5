// Windows paper and bin codes for what CUPS destinations offer, and the
// default device mode made from their defaults.
#include "platform/CupsMediaCodes.h"

#include <gtest/gtest.h>

namespace zl {
namespace {

CupsForm Form(const std::string& pwgName, std::int32_t width, std::int32_t length) {
    CupsForm form;
    form.pwgName = pwgName;
    form.name = pwgName;
    form.size = {width, length};
    return form;
}

CupsBin Bin(const std::string& keyword) {
    CupsBin bin;
    bin.keyword = keyword;
    bin.name = keyword;
    return bin;
}

std::vector<std::uint16_t> FormCodes(const CupsDestChoices& choices) {
    std::vector<std::uint16_t> codes;
    for (const CupsForm& form : choices.forms)
        codes.push_back(form.code);
    return codes;
}

std::vector<std::uint16_t> BinCodes(const CupsDestChoices& choices) {
    std::vector<std::uint16_t> codes;
    for (const CupsBin& bin : choices.bins)
        codes.push_back(bin.code);
    return codes;
}

TEST(CupsMediaCodes, PwgSizeNamesWithAWindowsPaperCode) {
    EXPECT_EQ(PaperCodeOf("na_letter_8.5x11in"), 1);
    EXPECT_EQ(PaperCodeOf("na_legal_8.5x14in"), 5);
    EXPECT_EQ(PaperCodeOf("na_executive_7.25x10.5in"), 7);
    EXPECT_EQ(PaperCodeOf("iso_a3_297x420mm"), 8);
    EXPECT_EQ(PaperCodeOf("iso_a4_210x297mm"), 9);
    EXPECT_EQ(PaperCodeOf("iso_a5_148x210mm"), 11);
    EXPECT_EQ(PaperCodeOf("jis_b5_182x257mm"), 13);
    EXPECT_EQ(PaperCodeOf("na_number-10_4.125x9.5in"), 20);
    EXPECT_EQ(PaperCodeOf("iso_dl_110x220mm"), 27);
}

TEST(CupsMediaCodes, OtherSizeNamesHaveNoPaperCode) {
    EXPECT_EQ(PaperCodeOf("iso_b5_176x250mm"), 0); // ISO B5 is not JIS B5
    EXPECT_EQ(PaperCodeOf("na_ledger_11x17in"), 0);
    EXPECT_EQ(PaperCodeOf("custom_100x150mm_100x150mm"), 0);
    EXPECT_EQ(PaperCodeOf("A4"), 0); // a PPD name, not a PWG one
    EXPECT_EQ(PaperCodeOf(""), 0);
}

TEST(CupsMediaCodes, MediaSourcesWithAWindowsBinCode) {
    EXPECT_EQ(BinCodeOf("tray-1"), 1);
    EXPECT_EQ(BinCodeOf("tray-2"), 2);
    EXPECT_EQ(BinCodeOf("tray-3"), 3);
    EXPECT_EQ(BinCodeOf("manual"), 4);
    EXPECT_EQ(BinCodeOf("envelope"), 5);
    EXPECT_EQ(BinCodeOf("auto"), 7);
    EXPECT_EQ(BinCodeOf("large-capacity"), 11);
    EXPECT_EQ(BinCodeOf("tray-4"), 0);
    EXPECT_EQ(BinCodeOf("by-pass-tray"), 0);
    EXPECT_EQ(BinCodeOf("Tray1"), 0);
}

TEST(CupsMediaCodes, FormsAndBinsWithoutAWindowsCodeAreNumberedFrom257InOrder) {
    CupsDestChoices choices;
    choices.forms = {Form("na_ledger_11x17in", 2794, 4318), Form("iso_a4_210x297mm", 2100, 2970),
                     Form("iso_b5_176x250mm", 1760, 2500), Form("na_letter_8.5x11in", 2159, 2794),
                     Form("oe_photo-l_3.5x5in", 889, 1270)};
    choices.bins = {Bin("by-pass-tray"), Bin("tray-1"), Bin("top"), Bin("auto")};
    AssignCodes(choices);
    EXPECT_EQ(FormCodes(choices), (std::vector<std::uint16_t>{257, 9, 258, 1, 259}));
    EXPECT_EQ(BinCodes(choices), (std::vector<std::uint16_t>{257, 1, 258, 7}));
}

TEST(CupsMediaCodes, TheDefaultPaperHasTheCodeOfItsForm) {
    CupsDestChoices choices;
    choices.forms = {Form("na_ledger_11x17in", 2794, 4318), Form("roll_max_36x100in", 9144, 25400),
                     Form("iso_a4_210x297mm", 2100, 2970)};
    choices.mediaDefault = "roll_max_36x100in";
    AssignCodes(choices);
    DeviceMode mode = DefaultDeviceModeOf(choices, "q");
    EXPECT_EQ(mode.dmDeviceName, "q");
    EXPECT_EQ(mode.dmPaperSize, 258);
    EXPECT_EQ(mode.dmPaperSize, choices.forms[1].code);
    EXPECT_EQ(mode.dmPaperWidth, 9144);
    EXPECT_EQ(mode.dmPaperLength, 25400);
    EXPECT_EQ(mode.dmFields & (DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH),
              DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH);

    choices.mediaDefault = "iso_a4_210x297mm";
    mode = DefaultDeviceModeOf(choices, "q");
    EXPECT_EQ(mode.dmPaperSize, 9);
    EXPECT_EQ(mode.dmPaperWidth, 2100);
    EXPECT_EQ(mode.dmPaperLength, 2970);
}

TEST(CupsMediaCodes, ADefaultPaperThatIsNoFormKeepsItsOwnCodeOrIsAUserSize) {
    CupsDestChoices choices;
    choices.forms = {Form("iso_a4_210x297mm", 2100, 2970)};
    choices.mediaDefault = "na_legal_8.5x14in";
    choices.mediaDefaultSize = {2159, 3556};
    AssignCodes(choices);
    DeviceMode mode = DefaultDeviceModeOf(choices, "q");
    EXPECT_EQ(mode.dmPaperSize, 5);
    EXPECT_EQ(mode.dmPaperWidth, 2159);
    EXPECT_EQ(mode.dmPaperLength, 3556);

    choices.mediaDefault = "custom_card_80x120mm";
    choices.mediaDefaultSize = {800, 1200};
    mode = DefaultDeviceModeOf(choices, "q");
    EXPECT_EQ(mode.dmPaperSize, DMPAPER_USER);
    EXPECT_EQ(mode.dmPaperWidth, 800);
    EXPECT_EQ(mode.dmPaperLength, 1200);

    // A size CUPS could not read: the code alone.
    choices.mediaDefaultSize = {};
    mode = DefaultDeviceModeOf(choices, "q");
    EXPECT_EQ(mode.dmPaperSize, DMPAPER_USER);
    EXPECT_EQ(mode.dmFields & (DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH), DM_PAPERSIZE);
}

TEST(CupsMediaCodes, DefaultSourceSidesAndQuality) {
    CupsDestChoices choices;
    choices.bins = {Bin("main"), Bin("tray-2"), Bin("side")};
    choices.sourceDefault = "side";
    choices.sidesDefault = "two-sided-short-edge";
    choices.qualityDefault = 3; // draft
    AssignCodes(choices);
    DeviceMode mode = DefaultDeviceModeOf(choices, "q");
    EXPECT_EQ(mode.dmDefaultSource, 258);
    EXPECT_EQ(mode.dmDuplex, DMDUP_HORIZONTAL);
    EXPECT_EQ(mode.dmPrintQuality, -1);
    EXPECT_EQ(mode.dmFields & (DM_DEFAULTSOURCE | DM_DUPLEX | DM_PRINTQUALITY),
              DM_DEFAULTSOURCE | DM_DUPLEX | DM_PRINTQUALITY);

    choices.sourceDefault = "tray-2";
    choices.sidesDefault = "two-sided-long-edge";
    choices.qualityDefault = 4; // normal
    mode = DefaultDeviceModeOf(choices, "q");
    EXPECT_EQ(mode.dmDefaultSource, 2);
    EXPECT_EQ(mode.dmDuplex, DMDUP_VERTICAL);
    EXPECT_EQ(mode.dmPrintQuality, -3);

    choices.sidesDefault = "one-sided";
    choices.qualityDefault = 5; // high
    mode = DefaultDeviceModeOf(choices, "q");
    EXPECT_EQ(mode.dmDuplex, DMDUP_SIMPLEX);
    EXPECT_EQ(mode.dmPrintQuality, -4);
    EXPECT_NE(mode.dmFields & DM_DUPLEX, 0u);
}

TEST(CupsMediaCodes, ADestinationThatNamesNoDefaultsGetsPortraitOneCopyHighQuality) {
    CupsDestChoices choices;
    AssignCodes(choices);
    DeviceMode mode = DefaultDeviceModeOf(choices, "raw");
    EXPECT_EQ(mode.dmFields, DM_ORIENTATION | DM_COPIES | DM_PRINTQUALITY);
    EXPECT_EQ(mode.dmOrientation, DMORIENT_PORTRAIT);
    EXPECT_EQ(mode.dmCopies, 1);
    EXPECT_EQ(mode.dmPrintQuality, -4);
    EXPECT_EQ(mode.dmPaperSize, 0);

    // Values it does not know are left out rather than guessed.
    choices.sidesDefault = "two-sided-sideways";
    choices.sourceDefault = "nowhere";
    mode = DefaultDeviceModeOf(choices, "raw");
    EXPECT_EQ(mode.dmFields, DM_ORIENTATION | DM_COPIES | DM_PRINTQUALITY);
}

} // namespace
} // namespace zl
