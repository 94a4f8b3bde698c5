#include "engine/SystemDecoder.h"

#include <algorithm>
#include <array>
#include <cstddef>

#ifdef _WIN32
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
// The Windows code page of an encoding name: "cp1252", "windows-1252",
// "IBM850", "latin1", "ISO-8859-2", "UTF-8"; 0 for any other name.
UINT CodePageOf(const std::string& name) {
    std::string key;
    for (char ch : name) {
        if (ch != '-' && ch != '_')
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    }
    if (key == "latin1")
        return 28591;
    if (key == "utf8")
        return 65001;
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

// A Windows code page, converted to UTF-16 one character at a time.
class Converter {
public:
    static std::unique_ptr<Converter> Open(const std::string& name) {
        const UINT codePage = CodePageOf(name);
        CPINFO info;
        if (codePage == 0 || !IsValidCodePage(codePage) || !GetCPInfo(codePage, &info))
            return nullptr;
        return std::make_unique<Converter>(codePage,
                                           std::min<std::size_t>(info.MaxCharSize, kMaxLength));
    }
    Converter(UINT codePage, std::size_t maxLength) : codePage_(codePage), maxLength_(maxLength) {}

    std::size_t MaxLength() const { return maxLength_; }

    // Converts the first character of bytes[0..count): the shortest prefix
    // that converts. Windows tells no cut-short sequence from a wrong one, so
    // a failure below the code page's longest character is Incomplete.
    Step Convert(const unsigned char* bytes, std::size_t count, std::size_t& length, char32_t& c) {
        for (std::size_t n = 1; n <= count; ++n) {
            wchar_t wide[2];
            const int units = MultiByteToWideChar(codePage_, MB_ERR_INVALID_CHARS,
                                                  reinterpret_cast<const char*>(bytes),
                                                  static_cast<int>(n), wide, 2);
            length = n;
            if (units == 1 && (wide[0] < 0xD800 || wide[0] > 0xDFFF)) {
                c = wide[0];
                return Step::Character;
            }
            if (units == 2 && wide[0] >= 0xD800 && wide[0] <= 0xDBFF && wide[1] >= 0xDC00 &&
                wide[1] <= 0xDFFF) {
                c = 0x10000 + ((char32_t{wide[0]} - 0xD800) << 10) + (char32_t{wide[1]} - 0xDC00);
                return Step::Character;
            }
            if (units > 0)
                return Step::Invalid;
        }
        return count < maxLength_ ? Step::Incomplete : Step::Invalid;
    }

private:
    UINT codePage_;
    std::size_t maxLength_;
};
#endif

// The decoders of the system's character sets: control bytes keep their role
// in the listing and are never decoded.
class SystemCharsetDecoder : public InputDecoder {
public:
    bool MayBegin(unsigned char byte) const final { return byte >= 32 && byte != 127; }
};

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

} // namespace

std::unique_ptr<InputDecoder> MakeSystemDecoder(const std::string& name) {
    std::unique_ptr<Converter> converter = Converter::Open(name);
    if (!converter)
        return nullptr;
    ByteTable table;
    if (Tabulate(*converter, table))
        return std::make_unique<TableDecoder>(table);
    return std::make_unique<ConverterDecoder>(std::move(converter));
}

} // namespace zl
