#include "engine/SymbolSet.h"
#include "engine/InputDecoder.h"
#include "engine/Roman8Table.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zl {
namespace {

using Result = InputDecoder::Result;

// Expected bytes from the published IBM code page 437 and HP Roman-8 charts.
TEST(SymbolSetMap, CharactersMapToTheBytesOfTheCodeCharts) {
    const struct {
        char32_t c;
        unsigned char pc8;
        unsigned char roman8;
    } cases[] = {
        {U'A', 'A', 'A'},
        {U'~', '~', '~'},
        {U'é', 0x82, 0xC5},
        {U'ß', 0xE1, 0xDE},
        {U'Ä', 0x8E, 0xD8},
        {U'ä', 0x84, 0xCC},
        {U'ü', 0x81, 0xCF},
        {U'£', 0x9C, 0xBB},
        {U'°', 0xF8, 0xB3},
        {U'■', 0xFE, 0xFC},
        {U'€', '?', '?'},
        {U'│', 0xB3, '?'},
        {U'═', 0xCD, '?'},
        {U'\U0001F600', '?', '?'},
        // Only IBM437's byte 1 stands for it, a control code to the printer.
        {U'☺', '?', '?'},
        {U'\t', '?', '?'},
        {0x7F, '?', '?'},
        // A C1 control; Roman-8's byte 0x85 is one.
        {0x85, '?', '?'},
        {0x110000, '?', '?'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<unsigned>(c.c));
        EXPECT_EQ(SymbolSetMapOf(SymbolSet::Pc8).ByteOf(c.c), c.pc8);
        EXPECT_EQ(SymbolSetMapOf(SymbolSet::Roman8).ByteOf(c.c), c.roman8);
    }
    EXPECT_EQ(&SymbolSetMapOf(SymbolSet::Pc8), &SymbolSetMapOf(SymbolSet::Pc8));
    EXPECT_EQ(SymbolSetMap(SymbolSet::Pc8).ByteOf(U'é'), 0x82);
}

TEST(SymbolSetMap, TextHasOneByteForEachCharacterAndQuestionMarksForTheRest) {
    const struct {
        const char* utf8;
        const char* pc8;
        const char* roman8;
    } cases[] = {
        {"März", "M\x84rz", "M\xCCrz"},
        {"décembre", "d\202cembre", "d\305cembre"}, // é: 0x82 and 0xC5 in octal
        {"a\xC3z", "a?z", "a?z"},                   // a sequence broken off in the middle
        {"\x80\xC0\xAF", "???", "???"},             // a lone continuation byte, an overlong form
        {"\xED\xA0\x80", "???", "???"},             // a surrogate
        {"x\xE2\x82", "x??", "x??"},                // cut short at the end
        {"\t\x1B\x7F", "???", "???"},               // control bytes
        {"\xF0\x9F\x98\x80!", "?!", "?!"},          // one character the sets lack
        {"", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(SymbolSetMapOf(SymbolSet::Pc8).Text(c.utf8), c.pc8);
        EXPECT_EQ(SymbolSetMapOf(SymbolSet::Roman8).Text(c.utf8), c.roman8);
    }
}

TEST(InputDecoder, DecodesOneCharacterOfItsEncoding) {
    const struct {
        const char* encoding;
        std::vector<unsigned char> bytes;
        Result result;
        std::size_t length;
        char32_t c;
    } cases[] = {
        {"auto", {0xC3, 0xA9}, Result::Character, 2, U'é'},
        {"auto", {0xE2, 0x82, 0xAC, 0x41}, Result::Character, 3, U'€'},
        {"auto", {0xF0, 0x9F, 0x98, 0x80}, Result::Character, 4, 0x1F600},
        {"auto", {0xF4, 0x8F, 0xBF, 0xBF}, Result::Character, 4, 0x10FFFF},
        {"auto", {0xC0, 0xAF}, Result::NotACharacter, 0, 0},             // overlong
        {"auto", {0xE0, 0x80, 0xAF}, Result::NotACharacter, 0, 0},       // overlong
        {"auto", {0xED, 0xA0, 0x80}, Result::NotACharacter, 0, 0},       // surrogate
        {"auto", {0xF4, 0x90, 0x80, 0x80}, Result::NotACharacter, 0, 0}, // past U+10FFFF
        {"auto", {0x80}, Result::NotACharacter, 0, 0},
        {"auto", {0xF8, 0x80, 0x80, 0x80}, Result::NotACharacter, 0, 0},
        {"auto", {0xE2, 0x41}, Result::NotACharacter, 0, 0},
        {"auto", {0xE2, 0x82}, Result::NeedMore, 0, 0},
        {"auto", {0xF0, 0x9F, 0x98}, Result::NeedMore, 0, 0},
        {"raw", {0xC3, 0xA9}, Result::NotACharacter, 0, 0},
        {"latin1", {0xE9}, Result::Character, 1, U'é'},
        {"cp1252", {0x80}, Result::Character, 1, U'€'},
#ifdef _WIN32
        {"cp1252", {0x81}, Result::Character, 1, 0x81}, // Windows: the C1 control
#else
        {"cp1252", {0x81}, Result::NotACharacter, 0, 0}, // undefined in cp1252
#endif
        {"cp1252", {0xE9, 0xE9}, Result::Character, 1, U'é'},
        {"IBM850", {0x82}, Result::Character, 1, U'é'},
        // Roman-8 by another of its names; its last byte is no character.
        {"roman8", {0xC5}, Result::Character, 1, U'é'},
        {"roman8", {0xFF}, Result::NotACharacter, 0, 0},
        // Multi-byte sets, one decoder each for the whole table.
        {"SHIFT_JIS", {0x82}, Result::NeedMore, 0, 0},
        {"SHIFT_JIS", {0x82, 0xA0, 0x41}, Result::Character, 2, U'あ'},
        {"SHIFT_JIS", {0x41}, Result::Character, 1, U'A'},
        {"UTF-8", {0xFF, 0x41}, Result::NotACharacter, 0, 0},
        {"UTF-8", {0xE2, 0x82}, Result::NeedMore, 0, 0},
        {"UTF-8", {0xE2, 0x82, 0xAC}, Result::Character, 3, U'€'},
        {"UTF-8", {0xE2, 0x82, 0x41, 0x41}, Result::NotACharacter, 0, 0},
        // UTF-16 is little-endian unless a byte-order mark before the
        // character says otherwise; a surrogate pair is one character.
        {"UTF-16", {0x41, 0x00}, Result::Character, 2, U'A'},
        {"UTF-16", {0xFE, 0xFF, 0x00, 0x41}, Result::Character, 4, U'A'},
        {"UTF-16", {0xFF, 0xFE}, Result::NeedMore, 0, 0},
        {"UTF-16LE", {0x3D, 0xD8, 0x00, 0xDE}, Result::Character, 4, 0x1F600},
        {"UTF-16BE", {0xDE, 0x00}, Result::NotACharacter, 0, 0}, // a lone low surrogate
    };
    std::map<std::string, std::unique_ptr<InputDecoder>> decoders;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.encoding << " " << testing::PrintToString(c.bytes));
        std::unique_ptr<InputDecoder>& decoder = decoders[c.encoding];
        if (!decoder)
            decoder = InputDecoder::Make(c.encoding);
        ASSERT_NE(decoder, nullptr);
        std::size_t length = 0;
        char32_t ch = 0;
        ASSERT_EQ(decoder->Decode(c.bytes.data(), c.bytes.size(), length, ch), c.result);
        if (c.result == Result::Character) {
            EXPECT_EQ(length, c.length);
            EXPECT_EQ(static_cast<unsigned>(ch), static_cast<unsigned>(c.c));
        }
    }
}

#ifndef _WIN32
// Windows reads Roman-8 from a table generated from iconv's: it must still
// be iconv's (tools/generate-roman8-table writes it anew).
TEST(Roman8Table, EqualsTheSystemConverter) {
    const auto roman8 = InputDecoder::Make("HP-ROMAN8");
    ASSERT_NE(roman8, nullptr);
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        const auto byte = static_cast<unsigned char>(b);
        std::size_t length = 0;
        char32_t c = 0;
        const bool decoded = roman8->Decode(&byte, 1, length, c) == Result::Character;
        const std::optional<char32_t> tabulated = Roman8Character(byte);
        ASSERT_EQ(tabulated.has_value(), decoded);
        if (decoded) {
            EXPECT_EQ(static_cast<unsigned>(*tabulated), static_cast<unsigned>(c));
        }
    }
}
#endif

TEST(InputDecoder, OnlyBytesOfCharactersMayBeginOne) {
    const auto raw = InputDecoder::Make("raw");
    const auto utf8 = InputDecoder::Make("auto");
    const auto latin1 = InputDecoder::Make("latin1");
    const auto sjis = InputDecoder::Make("SHIFT_JIS");
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        const auto byte = static_cast<unsigned char>(b);
        EXPECT_FALSE(raw->MayBegin(byte));
        EXPECT_EQ(utf8->MayBegin(byte), b >= 128);
        EXPECT_EQ(latin1->MayBegin(byte), b >= 32 && b != 127);
        EXPECT_EQ(sjis->MayBegin(byte), b >= 32 && b != 127);
    }
}

TEST(InputDecoder, UnknownNamesGiveNoDecoder) {
    for (const char* name : {"no-such-charset", "", "latin1//TRANSLIT", "AUTO"})
        EXPECT_EQ(InputDecoder::Make(name), nullptr) << name;
}

} // namespace
} // namespace zl
