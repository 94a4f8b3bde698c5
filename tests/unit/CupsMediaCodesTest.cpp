// Paper and bin codes for what CUPS destinations offer, and the default
// settings made from their defaults.
#include "printing/CupsMediaCodes.h"
#include "platform/Papers.h"
#include "printing/PpdPclCodes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <tuple>

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

// Every paper is found by each of its names and codes, and its size is the
// one its PWG name gives, to the nearest dot; a CUPS form of its PWG name
// gets its Windows code and PCL number, a form of any other name neither.
// Bins get the codes Windows gives them and the PCL numbers a job asks for
// them with; keywords without one get none.
TEST(CupsMediaCodes, FormsOfTheKnownPapersAndMediaSourcesWithTheirWindowsCodesAndPclNumbers) {
    CupsDestChoices choices;
    for (const Paper& paper : KnownPapers()) {
        SCOPED_TRACE(paper.pwgName);
        EXPECT_EQ(PaperWithPwgName(paper.pwgName), &paper);
        EXPECT_EQ(PaperWithPclSize(paper.pclPageSize), &paper);
        EXPECT_EQ(PaperWithWindowsForm(paper.windowsForm), &paper);
        EXPECT_EQ(PaperNamed(paper.name), *paper.name ? &paper : nullptr);
        const std::string size = std::strrchr(paper.pwgName, '_') + 1; // "8.5x11in"
        char* end = nullptr;
        const double width = std::strtod(size.c_str(), &end);
        const double height = std::strtod(end + 1, &end);
        const double dotsPerUnit = std::string(end) == "in" ? 300 : 300 / 25.4;
        EXPECT_NEAR(paper.width, width * dotsPerUnit, 0.5);
        EXPECT_NEAR(paper.height, height * dotsPerUnit, 0.5);
        choices.forms.push_back(Form(paper.pwgName, 0, 0));
    }
    const std::size_t known = choices.forms.size();
    for (const char* other : {"iso_b5_176x250mm", // ISO B5 is not JIS B5
                              "na_ledger_11x17in", "custom_100x150mm_100x150mm",
                              "A4", // a PPD name, not a PWG one
                              ""})
        choices.forms.push_back(Form(other, 0, 0));
    AssignCodes(choices);
    for (std::size_t i = 0; i < choices.forms.size(); ++i) {
        const CupsForm& form = choices.forms[i];
        SCOPED_TRACE(form.pwgName);
        const Paper* paper = i < known ? &KnownPapers()[i] : nullptr;
        EXPECT_EQ(form.code, paper ? paper->windowsForm : kFirstPrivateCode + i - known);
        EXPECT_EQ(form.pclPaperSize, paper ? paper->pclPageSize : 0);
    }
    const std::tuple<const char*, int, int> bins[] = {{"tray-1", 1, 1},   {"tray-2", 2, 4},
                                                      {"tray-3", 3, 0},   {"manual", 4, 2},
                                                      {"envelope", 5, 6}, {"auto", 7, 7},
                                                      {"main", 0, 1},     {"top", 0, 1},
                                                      {"bottom", 0, 4},   {"large-capacity", 11, 5},
                                                      {"tray-4", 0, 0},   {"by-pass-tray", 0, 8},
                                                      {"Tray1", 0, 0}};
    for (const auto& [name, code, pcl] : bins) {
        EXPECT_EQ(BinCodeOf(name), code) << name;
        EXPECT_EQ(PclSourceOf(name), pcl) << name;
    }
}

// A PCL printer's PPD gives the command of each tray and paper as its code:
// in hexadecimal or as the bytes, alone or among others. Its choices are
// matched to the media sources CUPS names them by.
TEST(CupsMediaCodes, APpdsPclCommandsGoBeforeTheUsualNumbers) {
    const std::string ppd = "*PPD-Adobe: \"4.3\"\n"
                            "*OpenUI *InputSlot/Media Source: PickOne\n"
                            "*DefaultInputSlot: Lower\n"
                            "*InputSlot Lower/Lower Tray: \"<1B>&l5H\"\n"
                            "*de.InputSlot Lower/Unten: \"\"\n"
                            "*InputSlot Tray1/Tray 1: \"\x1b&l26a8H\"\n"
                            "*InputSlot Manual: \"<</ManualFeed true>>setpagedevice\"\n"
                            "*InputSlot Envelope/Envelope: \"<1B 26 6C 3 6 48>\r\n"
                            "<1B>&l1O\"\n"
                            "*End\n"
                            "*PageSize A4/A4: \"<1B>&l26A\"\n"
                            "*PageSize Letter/US Letter: \"<1B>&l99A\"\n"
                            "*PageSize Legal: \"<</PageSize[612 1008]>>setpagedevice\"\n";
    const PpdPclCodes codes = ReadPpdPclCodes(ppd);
    std::string read;
    for (const auto* list : {&codes.inputSlots, &codes.pageSizes}) {
        for (const PpdChoiceCode& choice : *list)
            read += choice.choice + "=" + std::to_string(choice.pclNumber) + " ";
    }
    EXPECT_EQ(read, "Lower=5 Tray1=8 Manual=0 Envelope=6 A4=26 Letter=99 Legal=0 ");

    CupsDestChoices choices;
    choices.forms = {Form("iso_a4_210x297mm", 2100, 2970), Form("na_letter_8.5x11in", 2159, 2794),
                     Form("na_legal_8.5x14in", 2159, 3556)};
    choices.bins = {Bin("bottom"), Bin("tray-1"), Bin("manual"), Bin("envelope"), Bin("side")};
    AssignCodes(choices);
    const std::map<std::string, std::string> pwgNames = {{"A4", "iso_a4_210x297mm"},
                                                         {"Letter", "na_letter_8.5x11in"}};
    ApplyPpdCodes(
        codes,
        [&](const std::string& pageSize) {
            const auto known = pwgNames.find(pageSize);
            return known == pwgNames.end() ? std::string() : known->second;
        },
        choices);
    std::string applied;
    for (const CupsForm& form : choices.forms)
        applied += std::to_string(form.pclPaperSize) + " (" + form.ppdName + ") ";
    for (const CupsBin& bin : choices.bins)
        applied += bin.inputSlot + "=" + std::to_string(bin.pclSource) + " (" + bin.name + ") ";
    // The PPD's numbers, whatever they are (Letter's 99), go before the
    // usual ones; where its code holds no PCL command (Legal, Manual) the
    // usual number stays, and a source it does not have keeps none. A bin
    // the server gave no name of its own takes the PPD's translation string; a
    // paper keeps its name and carries the PPD's beside it.
    EXPECT_EQ(applied, "26 (A4) 99 (US Letter) 3 () Lower=5 (Lower Tray) Tray1=8 (Tray 1) "
                       "Manual=2 (manual) Envelope=6 (Envelope) =0 (side) ");
}

TEST(CupsMediaCodes, InputSlotChoicesAreTheMediaSourcesCupsNamesThem) {
    const std::pair<const char*, const char*> cases[] = {{"Lower", "bottom"},
                                                         {"LowerCassette", "bottom"},
                                                         {"Upper", "top"},
                                                         {"Middle", "middle"},
                                                         {"AutoSelect", "auto"},
                                                         {"Default", "auto"},
                                                         {"Cassette", "main"},
                                                         {"MP", "by-pass-tray"},
                                                         {"MultipurposeTray", "by-pass-tray"},
                                                         {"LargeCapacity", "large-capacity"},
                                                         {"Manual", "manual"},
                                                         {"Tray1", "tray-1"},
                                                         {"Tray10", "tray-10"},
                                                         {"ManualEnv", "manual-env"},
                                                         {"tray-3", "tray-3"},
                                                         {"Optional_Tray", "optional-tray"}};
    for (const auto& [choice, keyword] : cases)
        EXPECT_EQ(MediaSourceOfInputSlot(choice), keyword) << choice;
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

TEST(CupsMediaCodes, TheDefaultPaperHasTheCodeOfItsFormElseItsOwn) {
    CupsDestChoices choices;
    choices.forms = {Form("na_ledger_11x17in", 2794, 4318), Form("roll_max_36x100in", 9144, 25400),
                     Form("iso_a4_210x297mm", 2100, 2970)};
    AssignCodes(choices);
    struct Case {
        const char* media;
        std::uint16_t paper;
    };
    const Case cases[] = {
        {"roll_max_36x100in", 258},
        {"iso_a4_210x297mm", 9},
        {"na_legal_8.5x14in", 5}, // no form: its own code
        {"custom_card_80x120mm", kUserDefinedPaper},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.media);
        choices.mediaDefault = c.media;
        EXPECT_EQ(DefaultSettingsOf(choices).paper, c.paper);
    }
}

TEST(CupsMediaCodes, DefaultSource) {
    CupsDestChoices choices;
    choices.bins = {Bin("main"), Bin("tray-2"), Bin("side")};
    AssignCodes(choices);
    struct Case {
        const char* source;
        std::uint16_t bin;
    };
    const Case cases[] = {
        {"side", 258},
        {"tray-2", 2},
        {"", 0},
        // What it does not know is left out rather than guessed.
        {"nowhere", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        choices.sourceDefault = c.source;
        const DeviceSettings settings = DefaultSettingsOf(choices);
        EXPECT_EQ(settings.bin, c.bin);
        EXPECT_EQ(settings.paper, 0);
    }
}

} // namespace
} // namespace zl
