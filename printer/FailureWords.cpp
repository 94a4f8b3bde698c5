#include "printer/FailureWords.h"

#include "engine/InputSource.h"
#include "engine/ListingText.h"
#include "printing/PrintFailure.h"

#include <cerrno>

namespace zl {

namespace {

// An input's failure: its system error, or the encoding it does not know.
std::string InputWords(const InputFailure& failure) {
    if (!failure.UnknownEncodingName().empty())
        return "the character set '" + failure.UnknownEncodingName() + "' is unknown";
    switch (failure.SystemCode()) {
    case 0:
        return failure.what();
    case ENOENT:
    case ENOTDIR:
        return "the file does not exist";
    case EACCES:
    case EPERM:
    case EISDIR:
        return "it may not be read, or it is a folder";
    case EMFILE:
    case ENFILE:
        return "the program has too many files open";
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
        return "its name is not a valid file name";
    default:
        return "reading the file failed (error " + std::to_string(failure.SystemCode()) + ")";
    }
}

// What to say of a step that failed without naming a cause.
std::string StepWords(const PrintFailure& failure) {
    switch (failure.Step()) {
    case PrintStep::Open:
        return "the printer " + failure.Printer() + " cannot be opened";
    case PrintStep::Finish:
        return "the printer did not take the whole listing";
    default:
        return "the printer did not take the listing";
    }
}

// A print failure: its kind of cause, else its cause's own words.
std::string PrintWords(const PrintFailure& failure) {
    const FailureCause& cause = failure.Reason();
    switch (cause.kind) {
    case CauseKind::ServerUnreachable:
    case CauseKind::ServerSilent:
        return "the print server " + cause.subject + " does not answer";
    case CauseKind::ServerClosed:
        return "the print server " + cause.subject + " broke off the connection";
    case CauseKind::Stopped:
        return "the program was told to stop";
    case CauseKind::LibraryMissing:
        return "the printing system's library " + cause.subject + " is not installed";
    case CauseKind::NotAcceptingJobs:
        return "the printer " + cause.subject + " does not accept jobs";
    case CauseKind::PrinterGone:
        return "the printer picked is no longer in the list of printers";
    case CauseKind::SystemError:
        if (cause.systemCode == ENOSPC)
            return "the disk is full";
        break;
    case CauseKind::Stated:
        break;
    }
    if (cause.words.empty())
        return StepWords(failure);
    std::string words = cause.words;
    if (words.back() == '.')
        words.pop_back();
    return words;
}

} // namespace

std::string PlainCause(const std::exception& failure) {
    if (const auto* print = dynamic_cast<const PrintFailure*>(&failure))
        return PrintWords(*print);
    if (const auto* input = dynamic_cast<const InputFailure*>(&failure))
        return InputWords(*input);
    return failure.what();
}

std::string FailureSentence(const std::string& verb, const std::string& path,
                            const std::string& plainCause) {
    std::string text = "Cannot " + verb;
    if (!path.empty())
        text += " " + WithoutControlBytes(FileNamePart(path)); // no control character shown
    text += ": " + plainCause;
    if (text.back() != '.')
        text += '.';
    return text;
}

std::string FailureSentence(const std::string& verb, const std::string& path,
                            const std::exception& failure) {
    return FailureSentence(verb, path, PlainCause(failure));
}

} // namespace zl
