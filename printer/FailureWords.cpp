#include "printer/FailureWords.h"

#include "engine/ListingText.h"
#include "printing/PrintMessages.h"

#include <vector>

namespace zl {

namespace {

// A technical text and its plain words; "{}" in the text stands for any
// text, which the same "{}" in the words repeats, in order.
struct Wording {
    const char* technical;
    const char* plain;
};

// The causes, without a closing full stop: of the input files
// (IoErrorMessage), the listing, the print server (CupsConnection,
// the CUPS service, the server's own words), the files a listing is written into.
const Wording kCauses[] = {
    {"File not found", "the file does not exist"},
    {"File access denied", "it may not be read, or it is a folder"},
    {"Too many open files", "the program has too many files open"},
    {"Invalid filename", "its name is not a valid file name"},
    {"I/O error {}", "reading the file failed (error {})"},
    {"unknown input encoding '{}'", "the character set '{}' is unknown"},
    {"List index out of bounds ({})", "the printer picked is no longer in the list of printers"},
    {"cannot reach the print server {}", "the print server {} does not answer"},
    {"the print server {} closed the connection", "the print server {} broke off the connection"},
    {"stopped by a signal", "the program was told to stop"},
    {"the CUPS library ({}) cannot be loaded", "the printing system's library {} is not installed"},
    {"Destination \"{}\" is not accepting jobs", "the printer {} does not accept jobs"},
    {"No space left on device", "the disk is full"},
};

constexpr char kHole[] = "{}";

// True when `text` is `pattern` with text in its holes, each as short as the
// rest allows (the last up to the end); `parts` gets what they hold.
bool Matches(const std::string& pattern, const std::string& text, std::vector<std::string>& parts) {
    parts.clear();
    std::size_t hole = pattern.find(kHole);
    if (hole == std::string::npos)
        return text == pattern;
    if (text.compare(0, hole, pattern, 0, hole) != 0)
        return false;
    std::size_t at = hole; // in `text`
    while (hole != std::string::npos) {
        const std::size_t literal = hole + 2;
        const std::size_t nextHole = pattern.find(kHole, literal);
        const std::string next = pattern.substr(literal, nextHole - literal);
        std::size_t found = 0;
        if (nextHole == std::string::npos) { // the last literal ends the text
            if (text.size() < at + next.size() ||
                text.compare(text.size() - next.size(), next.size(), next) != 0)
                return false;
            found = text.size() - next.size();
        } else if ((found = text.find(next, at)) == std::string::npos) {
            return false;
        }
        parts.push_back(text.substr(at, found - at));
        at = found + next.size();
        hole = nextHole;
    }
    return true;
}

// `words` with `parts` in its holes.
std::string Filled(const std::string& words, const std::vector<std::string>& parts) {
    std::string text;
    std::size_t from = 0;
    for (const std::string& part : parts) {
        const std::size_t hole = words.find(kHole, from);
        if (hole == std::string::npos)
            break;
        text += words.substr(from, hole - from) + part;
        from = hole + 2;
    }
    return text + words.substr(from);
}

// What to say of a job's step that failed without naming a cause.
std::string FailedStepWords(const FailedJobStep& failed) {
    switch (failed.step) {
    case PrintStep::Open:
        return "the printer " + failed.printer + " cannot be opened";
    case PrintStep::Finish:
        return "the printer did not take the whole listing";
    default:
        return "the printer did not take the listing";
    }
}

} // namespace

std::string PlainCause(const std::string& technical) {
    std::string cause = technical;
    if (const std::optional<FailedJobStep> failed = ReadJobFailure(technical)) {
        if (failed->cause.empty())
            return FailedStepWords(*failed);
        cause = failed->cause;
    }
    std::string bare = cause;
    if (!bare.empty() && bare.back() == '.')
        bare.pop_back();
    std::vector<std::string> parts;
    for (const Wording& known : kCauses) {
        if (Matches(known.technical, bare, parts))
            return Filled(known.plain, parts);
    }
    return cause;
}

std::string FailureSentence(const std::string& verb, const std::string& path,
                            const std::string& technical) {
    std::string text = "Cannot " + verb;
    if (!path.empty())
        text += " " + WithoutControlBytes(FileNamePart(path)); // no control character shown
    text += ": " + PlainCause(technical);
    if (text.back() != '.')
        text += '.';
    return text;
}

} // namespace zl
