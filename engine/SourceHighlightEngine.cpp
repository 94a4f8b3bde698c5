#include "engine/SourceHighlightEngine.h"

#include <srchilite/formatter.h>
#include <srchilite/formattermanager.h>
#include <srchilite/formatterparams.h>
#include <srchilite/langdefmanager.h>
#include <srchilite/langmap.h>
#include <srchilite/regexrulefactory.h>
#include <srchilite/settings.h>
#include <srchilite/sourcehighlighter.h>

#include <algorithm>
#include <exception>
#include <map>
#include <mutex>
#include <set>

namespace zl {

namespace {

// The element names of the library's language definitions that print bold;
// "comment" prints italic, every other element plainly.
const char* const kStrongElements[] = {"keyword", "type", "preproc"};
const char kCommentElement[] = "comment";
// The definition that highlights nothing (plain text).
const char kNoHighlighting[] = "nohilite";
const char kDefinitionSuffix[] = ".lang";

// The library's map: every name it gives a language (language names and
// file extensions) to the language, named after its definition file.
struct LanguageMap {
    std::map<std::string, std::string> languageOfName;
    std::set<std::string> languages;
};

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

LanguageMap ReadLanguageMap() {
    LanguageMap map;
    try {
        srchilite::LangMap langMap(srchilite::Settings::retrieveDataDir(), "lang.map");
        langMap.open();
        const std::string suffix = kDefinitionSuffix;
        for (const auto& [name, definition] : langMap) {
            const std::string file = Trimmed(definition);
            if (file.size() <= suffix.size() ||
                file.compare(file.size() - suffix.size(), suffix.size(), suffix) != 0) {
                continue;
            }
            const std::string language = file.substr(0, file.size() - suffix.size());
            if (language == kNoHighlighting) {
                continue;
            }
            map.languageOfName[Trimmed(name)] = language;
            map.languages.insert(language);
        }
    } catch (const std::exception&) {
        // A missing or broken map: no language is known.
        return {};
    }
    return map;
}

const LanguageMap& TheLanguageMap() {
    static const LanguageMap map = ReadLanguageMap();
    return map;
}

// The library builds a language's states once and keeps them; building is
// not safe from two threads at once. Built states are only read while
// highlighting, so highlighters on several threads may share them.
srchilite::HighlightStatePtr LanguageStates(const std::string& language) {
    static std::mutex mutex;
    static srchilite::RegexRuleFactory ruleFactory;
    static srchilite::LangDefManager definitions(&ruleFactory);
    const std::lock_guard<std::mutex> lock(mutex);
    try {
        return definitions.getHighlightState(srchilite::Settings::retrieveDataDir(),
                                             language + kDefinitionSuffix);
    } catch (const std::exception&) {
        return {};
    }
}

class SourceHighlightHighlighter;

// Receives the library's text of one element and hands it on with the
// element's emphasis.
class EmphasisFormatter final : public srchilite::Formatter {
public:
    EmphasisFormatter(SourceHighlightHighlighter& owner, Emphasis emphasis)
        : owner_(owner), emphasis_(emphasis) {}
    void format(const std::string& text, const srchilite::FormatterParams* params) override;

private:
    SourceHighlightHighlighter& owner_;
    Emphasis emphasis_;
};

class SourceHighlightHighlighter final : public SyntaxHighlighter {
public:
    explicit SourceHighlightHighlighter(srchilite::HighlightStatePtr mainState)
        : highlighter_(mainState), formatters_(MakeFormatter(Emphasis::Plain)) {
        for (const char* element : kStrongElements) {
            formatters_.addFormatter(element, MakeFormatter(Emphasis::Strong));
        }
        formatters_.addFormatter(kCommentElement, MakeFormatter(Emphasis::Comment));
        highlighter_.setFormatterManager(&formatters_);
        // Unbuffered, so that each piece arrives with its place in the line.
        highlighter_.setOptimize(false);
        highlighter_.setFormatterParams(&params_);
    }
    SourceHighlightHighlighter(const SourceHighlightHighlighter&) = delete;
    SourceHighlightHighlighter& operator=(const SourceHighlightHighlighter&) = delete;

    // Whole lines: the library highlights a line at a time and keeps the
    // state it ends in (a comment left open) for the next.
    std::size_t Settle(std::string_view text, bool all, std::vector<EmphasisSpan>& spans) override {
        spans.clear();
        const std::size_t lastEnd = text.rfind('\n');
        const std::size_t settled = all                                 ? text.size()
                                    : lastEnd == std::string_view::npos ? 0
                                                                        : lastEnd + 1;
        spans_ = &spans;
        for (std::size_t start = 0; start < settled;) {
            std::size_t end = text.find('\n', start);
            end = end == std::string_view::npos || end >= settled ? settled : end;
            std::size_t length = end - start;
            if (length > 0 && text[start + length - 1] == '\r')
                --length;
            HighlightLine(text.substr(start, length), start);
            start = end + 1;
        }
        spans_ = nullptr;
        return settled;
    }

    // A piece of the line formatted as an element of the given emphasis.
    void Receive(const std::string& text, const srchilite::FormatterParams* params,
                 Emphasis emphasis) {
        const std::size_t begin =
            params != nullptr && params->start >= 0 ? std::size_t(params->start) : nextByte_;
        const std::size_t end = std::min(begin + text.size(), line_.size());
        nextByte_ = end;
        // Inside a comment every element is comment: a "TODO", a URL, a
        // documentation tag that the library names otherwise.
        if (highlighter_.getCurrentState()->getDefaultElement() == kCommentElement) {
            emphasis = Emphasis::Comment;
        }
        if (emphasis == Emphasis::Plain || begin >= end) {
            return;
        }
        std::vector<EmphasisSpan>& spans = *spans_;
        const std::size_t at = lineStart_ + begin;
        if (!spans.empty() && spans.back().end == at && spans.back().emphasis == emphasis)
            spans.back().end = lineStart_ + end;
        else
            spans.push_back({at, lineStart_ + end, emphasis});
    }

private:
    // The spans of one line, which starts `lineStart` bytes into the text.
    void HighlightLine(std::string_view line, std::size_t lineStart) {
        lineStart_ = lineStart;
        nextByte_ = 0;
        line_.assign(line.data(), line.size());
        const std::size_t spansBefore = spans_->size();
        try {
            highlighter_.highlightParagraph(line_);
        } catch (const std::exception&) {
            // A line the library's expressions give up on (too complex) prints
            // plainly, and the next line starts afresh.
            spans_->resize(spansBefore);
            highlighter_.clearStateStack();
            highlighter_.setCurrentState(highlighter_.getMainState());
        }
    }

    srchilite::FormatterPtr MakeFormatter(Emphasis emphasis) {
        return srchilite::FormatterPtr(new EmphasisFormatter(*this, emphasis));
    }

    srchilite::SourceHighlighter highlighter_;
    srchilite::FormatterManager formatters_;
    srchilite::FormatterParams params_;
    std::string line_;
    std::vector<EmphasisSpan>* spans_ = nullptr; // of the text being settled
    std::size_t lineStart_ = 0;
    std::size_t nextByte_ = 0;
};

void EmphasisFormatter::format(const std::string& text, const srchilite::FormatterParams* params) {
    owner_.Receive(text, params, emphasis_);
}

} // namespace

std::unique_ptr<SyntaxHighlighter> MakeSourceHighlighter(const std::string& language) {
    const std::string known = SourceHighlightLanguageNamed(language);
    if (known.empty()) {
        return nullptr;
    }
    srchilite::HighlightStatePtr states = LanguageStates(known);
    if (!states) {
        return nullptr;
    }
    return std::make_unique<SourceHighlightHighlighter>(states);
}

std::vector<std::string> SourceHighlightLanguages() {
    const auto& languages = TheLanguageMap().languages;
    return {languages.begin(), languages.end()};
}

std::string SourceHighlightLanguageNamed(const std::string& name) {
    const LanguageMap& map = TheLanguageMap();
    if (map.languages.count(name) != 0) {
        return name;
    }
    auto found = map.languageOfName.find(name);
    if (found != map.languageOfName.end()) {
        return found->second;
    }
    return {};
}

} // namespace zl
