#include "engine/SystemDecoder.h"

#include <algorithm>
#include <array>
#include <cstddef>

#ifdef _WIN32
#include "engine/Roman8Table.h"
#include "engine/Utf8.h"
#include "platform/WindowsApi.h"

#include <cctype>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace zl {

namespace {

using Result = InputDecoder::Result;

// The most bytes one character takes in the character sets decoded here.
constexpr std::size_t kMaxLength = 4;

// What converting the first bytes of the input gave.
enum class Step { Character, Invalid, Incomplete };

#ifndef _WIN32
// A character set of iconv, converted to UTF-32LE one character at a time.
class Converter {
public:
    static std::unique_ptr<Converter> Open(const std::string& name) {
        // An empty name would mean the locale's character set, and "//"
        // suffixes ask for transliteration: neither names a character set.
        if (name.empty() || name.find('/') != std::string::npos)
            return nullptr;
        const iconv_t cd = iconv_open("UTF-32LE", name.c_str());
        if (cd == reinterpret_cast<iconv_t>(-1))
            return nullptr;
        return std::make_unique<Converter>(cd);
    }
    explicit Converter(iconv_t cd) : cd_(cd) {}
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter() { iconv_close(cd_); }

    std::size_t MaxLength() const { return kMaxLength; }

    // Converts the first character of bytes[0..count).
    Step Convert(const unsigned char* bytes, std::size_t count, std::size_t& length, char32_t& c) {
        // Each character from the initial state, which also clears an error's.
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(reinterpret_cast<const char*>(bytes)); // only read
        std::size_t inLeft = count;
        unsigned char out[4];
        char* outNext = reinterpret_cast<char*>(out);
        std::size_t outLeft = sizeof out; // room for exactly one character
        const std::size_t done = iconv(cd_, &in, &inLeft, &outNext, &outLeft);
        const int error = errno;
        if (outLeft == 0) {
            length = count - inLeft;
            c = char32_t{out[0]} | char32_t{out[1]} << 8 | char32_t{out[2]} << 16 |
                char32_t{out[3]} << 24;
            return Step::Character;
        }
        // EILSEQ: no character; E2BIG without output: one sequence for several
        // characters. Else the sequence is cut short (EINVAL) or only shifted state.
        if (done == static_cast<std::size_t>(-1) && (error == EILSEQ || error == E2BIG))
            return Step::Invalid;
        return Step::Incomplete;
    }

private:
    iconv_t cd_;
};
#else
// An encoding name in lower case without "-" and "_": "utf8", "cp1252".
std::string NameKey(const std::string& name) {
    std::string key;
    for (char ch : name) {
        if (ch != '-' && ch != '_')
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    }
    return key;
}

// The Windows code page of an encoding name's key: "cp1252", "windows1252",
// "ibm850", "iso88592", or one of the names iconv also knows ("latin1",
// "shiftjis", ...); 0 for any other key.
UINT CodePageOf(const std::string& key) {
    static const struct {
        const char* key;
        UINT codePage;
    } kNamed[] = {{"latin1", 28591}, {"shiftjis", 932}, {"sjis", 932},       {"eucjp", 20932},
                  {"gbk", 936},      {"gb2312", 936},   {"big5", 950},       {"euckr", 51949},
                  {"koi8r", 20866},  {"koi8u", 21866},  {"macintosh", 10000}};
    for (const auto& named : kNamed) {
        if (key == named.key)
            return named.codePage;
    }
    static const struct {
        const char* prefix;
        UINT base;
    } kForms[] = {{"iso8859", 28590}, {"windows", 0}, {"cp", 0}, {"ibm", 0}};
    for (const auto& form : kForms) {
        const std::string prefix = form.prefix;
        const std::string digits = key.substr(std::min(prefix.size(), key.size()));
        if (key.compare(0, prefix.size(), prefix) != 0 || digits.empty() || digits.size() > 5 ||
            !std::all_of(digits.begin(), digits.end(), [](char d) { return d >= '0' && d <= '9'; }))
            continue;
        return form.base + static_cast<UINT>(std::stoul(digits));
    }
    return 0;
}

// UTF-16 has code pages only for .NET: MultiByteToWideChar does not take them.
constexpr UINT kUtf16Little = 1200;
constexpr UINT kUtf16Big = 1201;

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}
char32_t FromSurrogates(char32_t high, char32_t low) {
    return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}

// A Windows code page, or UTF-16, converted one character at a time.
class Converter {
public:
    static std::unique_ptr<Converter> Open(const std::string& name) {
        const std::string key = NameKey(name);
        // "UTF-16" reads as iconv does: little-endian unless a byte-order
        // mark before the character says otherwise.
        if (key == "utf16" || key == "utf16le" || key == "utf16be")
            return std::make_unique<Converter>(key == "utf16be" ? kUtf16Big : kUtf16Little,
                                               kMaxLength, key == "utf16");
        const UINT codePage = CodePageOf(key);
        CPINFO info;
        if (codePage == 0 || !IsValidCodePage(codePage) || !GetCPInfo(codePage, &info))
            return nullptr;
        return std::make_unique<Converter>(
            codePage, std::min<std::size_t>(info.MaxCharSize, kMaxLength), false);
    }
    Converter(UINT codePage, std::size_t maxLength, bool byteOrderMark)
        : codePage_(codePage), maxLength_(maxLength), byteOrderMark_(byteOrderMark) {}

    std::size_t MaxLength() const { return maxLength_; }

    // Converts the first character of bytes[0..count): the shortest prefix
    // that converts. Windows tells no cut-short sequence from a wrong one, so
    // a failure below the code page's longest character is Incomplete.
    Step Convert(const unsigned char* bytes, std::size_t count, std::size_t& length, char32_t& c) {
        if (codePage_ == kUtf16Little || codePage_ == kUtf16Big)
            return ConvertUtf16(bytes, count, length, c);
        for (std::size_t n = 1; n <= count; ++n) {
            wchar_t wide[2];
            const int units = MultiByteToWideChar(codePage_, MB_ERR_INVALID_CHARS,
                                                  reinterpret_cast<const char*>(bytes),
                                                  static_cast<int>(n), wide, 2);
            length = n;
            if (units == 1 && !IsHighSurrogate(wide[0]) && !IsLowSurrogate(wide[0])) {
                c = wide[0];
                return Step::Character;
            }
            if (units == 2 && IsHighSurrogate(wide[0]) && IsLowSurrogate(wide[1])) {
                c = FromSurrogates(wide[0], wide[1]);
                return Step::Character;
            }
            if (units > 0)
                return Step::Invalid;
        }
        return count < maxLength_ ? Step::Incomplete : Step::Invalid;
    }

private:
    // One UTF-16 character, a surrogate pair counting as one; with
    // byteOrderMark_, a mark before it is part of it and sets its order.
    Step ConvertUtf16(const unsigned char* bytes, std::size_t count, std::size_t& length,
                      char32_t& c) const {
        bool big = codePage_ == kUtf16Big;
        std::size_t at = 0;
        if (byteOrderMark_ && count >= 2) {
            const bool littleMark = bytes[0] == 0xFF && bytes[1] == 0xFE;
            const bool bigMark = bytes[0] == 0xFE && bytes[1] == 0xFF;
            if (littleMark || bigMark) {
                big = bigMark;
                at = 2;
            }
        }
        const auto unit = [&](std::size_t i) -> char32_t {
            return big ? char32_t{bytes[i]} << 8 | bytes[i + 1]
                       : char32_t{bytes[i + 1]} << 8 | bytes[i];
        };
        if (count < at + 2)
            return Step::Incomplete;
        const char32_t first = unit(at);
        if (IsLowSurrogate(first))
            return Step::Invalid;
        if (!IsHighSurrogate(first)) {
            length = at + 2;
            c = first;
            return Step::Character;
        }
        if (count < at + 4)
            return Step::Incomplete;
        if (!IsLowSurrogate(unit(at + 2)))
            return Step::Invalid;
        length = at + 4;
        c = FromSurrogates(first, unit(at + 2));
        return Step::Character;
    }

    UINT codePage_;
    std::size_t maxLength_;
    bool byteOrderMark_;
};
#endif

// The decoders of the system's character sets: control bytes keep their role
// in the listing and are never decoded.
class SystemCharsetDecoder : public InputDecoder {
public:
    bool MayBegin(unsigned char byte) const final { return byte >= 32 && byte != 127; }
};

#ifdef _WIN32
// UTF-8, by the strict reader.
class Utf8CharsetDecoder final : public SystemCharsetDecoder {
public:
    Result Decode(const unsigned char* bytes, std::size_t count, std::size_t& length,
                  char32_t& c) override {
        return DecodeUtf8(bytes, count, length, c);
    }
};
#endif

// A table entry for a byte that stands for no character.
constexpr char32_t kNoCharacter = 0xFFFFFFFF;
using ByteTable = std::array<char32_t, 256>;

// A single-byte character set, tabulated once.
class TableDecoder final : public SystemCharsetDecoder {
public:
    explicit TableDecoder(const ByteTable& table) : table_(table) {}
    Result Decode(const unsigned char* bytes, std::size_t count, std::size_t& length,
                  char32_t& c) override {
        if (count == 0)
            return Result::NeedMore;
        if (table_[bytes[0]] == kNoCharacter)
            return Result::NotACharacter;
        length = 1;
        c = table_[bytes[0]];
        return Result::Character;
    }

private:
    ByteTable table_;
};

// A multi-byte character set (stateless), converted a character at a time.
class ConverterDecoder final : public SystemCharsetDecoder {
public:
    explicit ConverterDecoder(std::unique_ptr<Converter> converter)
        : converter_(std::move(converter)) {}
    Result Decode(const unsigned char* bytes, std::size_t count, std::size_t& length,
                  char32_t& c) override {
        const std::size_t maxLength = converter_->MaxLength();
        const std::size_t given = std::min(count, maxLength);
        switch (converter_->Convert(bytes, given, length, c)) {
        case Step::Character:
            return Result::Character;
        case Step::Invalid:
            return Result::NotACharacter;
        case Step::Incomplete:
            break;
        }
        return count < maxLength ? Result::NeedMore : Result::NotACharacter;
    }

private:
    std::unique_ptr<Converter> converter_;
};

// Each byte alone as a character or none; false when a byte only begins a
// longer sequence, so the set is not a single-byte one.
bool Tabulate(Converter& converter, ByteTable& table) {
    for (std::size_t b = 0; b < table.size(); ++b) {
        const unsigned char byte = static_cast<unsigned char>(b);
        std::size_t length = 0;
        char32_t c = 0;
        switch (converter.Convert(&byte, 1, length, c)) {
        case Step::Character:
            table[b] = c;
            break;
        case Step::Invalid:
            table[b] = kNoCharacter;
            break;
        case Step::Incomplete:
            return false;
        }
    }
    return true;
}

#ifdef _WIN32
// HP Roman-8 under the names iconv knows it by, from the program's own table:
// Windows has no code page for it.
std::unique_ptr<InputDecoder> MakeRoman8Decoder(const std::string& key) {
    if (key != "hproman8" && key != "roman8" && key != "cshproman8")
        return nullptr;
    ByteTable table;
    for (std::size_t b = 0; b < table.size(); ++b)
        table[b] = Roman8Character(static_cast<unsigned char>(b)).value_or(kNoCharacter);
    return std::make_unique<TableDecoder>(table);
}
#endif

} // namespace

std::unique_ptr<InputDecoder> MakeSystemDecoder(const std::string& name) {
#ifdef _WIN32
    // UTF-8 by name is read strictly here too: Windows would take a byte
    // that begins no character for the beginning of a longer one.
    if (NameKey(name) == "utf8")
        return std::make_unique<Utf8CharsetDecoder>();
    if (std::unique_ptr<InputDecoder> roman8 = MakeRoman8Decoder(NameKey(name)))
        return roman8;
#endif
    std::unique_ptr<Converter> converter = Converter::Open(name);
    if (!converter)
        return nullptr;
    ByteTable table;
    if (Tabulate(*converter, table))
        return std::make_unique<TableDecoder>(table);
    return std::make_unique<ConverterDecoder>(std::move(converter));
}

} // namespace zl
