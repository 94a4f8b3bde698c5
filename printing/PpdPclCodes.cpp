#include "printing/PpdPclCodes.h"

#include <algorithm>
#include <cstring>

namespace zl {

namespace {

constexpr char kEsc = '\x1b';
// The paper sources a PCL job can select, as --tray takes them.
constexpr std::int32_t kLastPclSource = 69;

bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsLower(char c) {
    return c >= 'a' && c <= 'z';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
char Lower(char c) {
    return IsUpper(c) ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when `text` begins with `prefix`, case aside.
bool StartsWith(const std::string& text, const char* prefix) {
    const std::size_t length = std::strlen(prefix);
    if (text.size() < length)
        return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (Lower(text[i]) != Lower(prefix[i]))
            return false;
    }
    return true;
}

bool SameName(const std::string& text, const char* name) {
    return text.size() == std::strlen(name) && StartsWith(text, name);
}

// A PPD string with its hexadecimal parts ("<1B>") as the bytes they stand for.
std::string Decoded(const std::string& text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '<') {
            bytes += text[i];
            continue;
        }
        const std::size_t end = text.find('>', i);
        if (end == std::string::npos)
            return bytes + text.substr(i);
        int high = -1;
        for (std::size_t k = i + 1; k < end; ++k) {
            const char c = Lower(text[k]);
            const int digit = IsDigit(c) ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
            if (digit < 0)
                continue; // blanks may separate the digits
            if (high < 0) {
                high = digit;
            } else {
                bytes += static_cast<char>(high * 16 + digit);
                high = -1;
            }
        }
        i = end;
    }
    return bytes;
}

// The value of the first ESC & l command ending in `terminator` ('H', 'A')
// in `code`, also within a combined command (ESC & l 26 a 4 H); 0 for none.
std::int32_t PageControlValue(const std::string& code, char terminator) {
    const std::string start = {kEsc, '&', 'l'};
    for (std::size_t at = code.find(start); at != std::string::npos;
         at = code.find(start, at + 1)) {
        std::size_t i = at + start.size();
        for (;;) {
            std::int32_t value = 0;
            const std::size_t digits = i;
            while (i < code.size() && IsDigit(code[i]) && value < 10000)
                value = value * 10 + (code[i++] - '0');
            if (i == digits || i >= code.size())
                break;
            const char letter = code[i++];
            if (letter == terminator || letter == Lower(terminator))
                return value;
            if (!IsLower(letter)) // an upper-case letter ends the command
                break;
        }
    }
    return 0;
}

// The main keywords of the option choices read here.
constexpr const char* kInputSlot = "*InputSlot ";
constexpr const char* kPageSize = "*PageSize ";

// Reads the choice that begins at `at` (just after its keyword) and its
// quoted code into `out`; returns where the next line begins.
std::size_t ReadChoice(const std::string& ppd, std::size_t at, char terminator,
                       std::vector<PpdChoiceCode>& out) {
    const std::size_t lineEnd = std::min(ppd.find('\n', at), ppd.size());
    const std::size_t nameEnd = ppd.find_first_of("/:", at);
    const std::size_t colon = ppd.find(':', at);
    if (nameEnd >= lineEnd || colon >= lineEnd)
        return lineEnd;
    PpdChoiceCode choice;
    choice.choice = ppd.substr(at, nameEnd - at);
    if (ppd[nameEnd] == '/')
        choice.text = ppd.substr(nameEnd + 1, colon - nameEnd - 1);
    std::size_t next = lineEnd;
    const std::size_t open = ppd.find_first_not_of(" \t", colon + 1);
    if (open < lineEnd && ppd[open] == '"') {
        // A quoted code may run over several lines.
        const std::size_t close = ppd.find('"', open + 1);
        const std::size_t end = close == std::string::npos ? ppd.size() : close;
        choice.pclNumber =
            PageControlValue(Decoded(ppd.substr(open + 1, end - open - 1)), terminator);
        next = std::min(ppd.find('\n', end), ppd.size());
    }
    out.push_back(std::move(choice));
    return next;
}

} // namespace

PpdPclCodes ReadPpdPclCodes(const std::string& ppd) {
    PpdPclCodes codes;
    for (std::size_t line = 0; line < ppd.size();) {
        std::size_t next = std::min(ppd.find('\n', line), ppd.size());
        if (ppd.compare(line, std::strlen(kInputSlot), kInputSlot) == 0)
            next = ReadChoice(ppd, line + std::strlen(kInputSlot), 'H', codes.inputSlots);
        else if (ppd.compare(line, std::strlen(kPageSize), kPageSize) == 0)
            next = ReadChoice(ppd, line + std::strlen(kPageSize), 'A', codes.pageSizes);
        line = next + 1;
    }
    return codes;
}

std::string MediaSourceOfInputSlot(const std::string& choice) {
    // The names CUPS knows; a name that only begins like one counts where
    // CUPS lets it ("Lower2" is "bottom" too).
    static const struct {
        const char* name;
        bool prefix;
        const char* keyword;
    } kKnown[] = {
        {"Auto", true, "auto"},
        {"Default", false, "auto"},
        {"Cassette", false, "main"},
        {"PhotoTray", false, "photo"},
        {"CDTray", false, "disc"},
        {"Multipurpose", true, "by-pass-tray"},
        {"MP", false, "by-pass-tray"},
        {"MPTray", false, "by-pass-tray"},
        {"LargeCapacity", false, "large-capacity"},
        {"Lower", true, "bottom"},
        {"Middle", true, "middle"},
        {"Upper", true, "top"},
        {"Side", true, "side"},
        {"Roll", false, "main-roll"},
    };
    for (const auto& known : kKnown) {
        if (known.prefix ? StartsWith(choice, known.name) : SameName(choice, known.name))
            return known.keyword;
    }
    // Else the name in lower case, a dash where a capital follows a small
    // letter or digit and where a digit follows anything else; an
    // underscore becomes a dash. A name already in lower case stays.
    bool lowerAlready = !choice.empty() && IsLower(choice[0]);
    for (char c : choice)
        lowerAlready = lowerAlready && !IsUpper(c) && c != '_';
    if (lowerAlready)
        return choice;
    std::string keyword;
    for (std::size_t i = 0; i < choice.size(); ++i) {
        const char c = choice[i];
        keyword += c == '_' ? '-' : Lower(c);
        const char after = i + 1 < choice.size() ? choice[i + 1] : '\0';
        if (((IsLower(c) || IsDigit(c)) && IsUpper(after)) || (!IsDigit(c) && IsDigit(after)))
            keyword += '-';
    }
    return keyword;
}

void ApplyPpdCodes(const PpdPclCodes& codes, const PwgNameOfPageSize& pwgNameOf,
                   CupsDestChoices& choices) {
    for (const PpdChoiceCode& slot : codes.inputSlots) {
        const std::string keyword = MediaSourceOfInputSlot(slot.choice);
        for (CupsBin& bin : choices.bins) {
            if (bin.keyword != keyword)
                continue;
            bin.inputSlot = slot.choice;
            // Where the server gave no name of its own, the PPD's.
            if (bin.name == bin.keyword && !slot.text.empty())
                bin.name = slot.text;
            if (slot.pclNumber >= 1 && slot.pclNumber <= kLastPclSource)
                bin.pclSource = slot.pclNumber;
        }
    }
    for (const PpdChoiceCode& size : codes.pageSizes) {
        const std::string pwgName = pwgNameOf(size.choice);
        for (CupsForm& form : choices.forms) {
            if (pwgName.empty() || form.pwgName != pwgName)
                continue;
            form.ppdName = size.text;
            if (size.pclNumber > 0)
                form.pclPaperSize = size.pclNumber;
        }
    }
}

} // namespace zl
