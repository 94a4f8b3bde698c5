#include "printer/FailureWords.h"

#include <regex>
#include <vector>

namespace zl {

namespace {

struct Wording {
    std::regex technical; // matches the whole text
    std::string plain;    // its groups as $1, $2
};

// The failed spooler calls, each naming its cause after ": " (the last
// group), and what to say when it names none.
const std::vector<Wording>& FailedCalls() {
    static const std::vector<Wording> calls = {
        {std::regex("OpenPrinter\\(\\)=False @ StartJob with PrinterName:'([^']*)'(?:: (.*))?"),
         "the printer $1 cannot be opened"},
        {std::regex("WritePrinter\\(\\) API failed @ WriteData(?:: (.*))?"),
         "the printer did not take the listing"},
        {std::regex("EndDocPrinter\\(\\) API failed @ EndJob(?:: (.*))?"),
         "the printer did not take the whole listing"},
    };
    return calls;
}

// The causes: of the input files (IoErrorMessage), of the print server
// (CupsConnection, CupsSpooler, the server's own words), of the files a
// listing is written into.
const std::vector<Wording>& Causes() {
    static const std::vector<Wording> causes = {
        {std::regex("File not found"), "the file does not exist"},
        {std::regex("File access denied"), "it may not be read, or it is a folder"},
        {std::regex("Too many open files"), "the program has too many files open"},
        {std::regex("Invalid filename"), "its name is not a valid file name"},
        {std::regex("I/O error ([0-9]+)"), "reading the file failed (error $1)"},
        {std::regex("unknown input encoding '(.*)'"), "the character set '$1' is unknown"},
        {std::regex("List index out of bounds \\((-?[0-9]+)\\)"),
         "the printer picked is no longer in the list of printers"},
        {std::regex("cannot reach the print server (.*)"), "the print server $1 does not answer"},
        {std::regex("the print server (.*) closed the connection"),
         "the print server $1 broke off the connection"},
        {std::regex("stopped by a signal"), "the program was told to stop"},
        {std::regex("the CUPS library \\((.*)\\) cannot be loaded"),
         "the printing system's library $1 is not installed"},
        {std::regex("Destination \"(.*)\" is not accepting jobs\\.?"),
         "the printer $1 does not accept jobs"},
        {std::regex("No space left on device"), "the disk is full"},
    };
    return causes;
}

} // namespace

std::string PlainCause(const std::string& technical) {
    std::string cause = technical;
    std::smatch match;
    for (const Wording& call : FailedCalls()) {
        if (!std::regex_match(technical, match, call.technical))
            continue;
        const std::ssub_match& named = match[match.size() - 1];
        if (!named.matched || named.length() == 0)
            return match.format(call.plain);
        cause = named.str();
        break;
    }
    for (const Wording& known : Causes()) {
        if (std::regex_match(cause, match, known.technical))
            return match.format(known.plain);
    }
    return cause;
}

} // namespace zl
