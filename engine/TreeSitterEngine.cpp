#include "engine/TreeSitterEngine.h"

#include "engine/TreeSitterQueries.h"

#include <tree_sitter/api.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include <regex.h>

extern "C" const TSLanguage* tree_sitter_c(void);
extern "C" const TSLanguage* tree_sitter_cpp(void);

namespace zl {

namespace {

// The text parsed at once: large enough that a cut between two top-level
// constructs seldom matters, small enough that the tree (about ten times the
// text) stays small whatever the file's size.
constexpr std::size_t kBlock = 256 * 1024;

struct Grammar {
    const char* language;
    const TSLanguage* (*parser)();
    std::string query; // a grammar's queries, its base grammar's first
};

const Grammar& GrammarOf(std::size_t index) {
    static const Grammar grammars[] = {
        {"c", tree_sitter_c, kHighlightQuery_c},
        {"cpp", tree_sitter_cpp, std::string(kHighlightQuery_c) + "\n" + kHighlightQuery_cpp},
    };
    return grammars[index];
}
constexpr std::size_t kGrammars = 2;

// The emphasis a capture's name stands for: "keyword", "type" and their
// kinds ("type.builtin") print bold, "comment" italic; nothing else shows.
Emphasis EmphasisOfCapture(std::string_view name) {
    const auto is = [name](std::string_view kind) {
        return name.substr(0, kind.size()) == kind &&
               (name.size() == kind.size() || name[kind.size()] == '.');
    };
    if (is("keyword") || is("type"))
        return Emphasis::Strong;
    if (is("comment"))
        return Emphasis::Comment;
    return Emphasis::Plain;
}

std::string_view StringOf(const TSQuery* query, std::uint32_t id) {
    std::uint32_t length = 0;
    const char* text = ts_query_string_value_for_id(query, id, &length);
    return {text, length};
}

// A grammar's query compiled, the captures that show nothing disabled, and
// the text conditions of its patterns (#match? and #not-match?).
class HighlightQuery {
public:
    explicit HighlightQuery(const Grammar& grammar) {
        std::uint32_t errorOffset = 0;
        TSQueryError error = TSQueryErrorNone;
        query_ =
            ts_query_new(grammar.parser(), grammar.query.data(),
                         static_cast<std::uint32_t>(grammar.query.size()), &errorOffset, &error);
        if (!query_)
            return;
        for (std::uint32_t id = 0; id < ts_query_capture_count(query_); ++id) {
            std::uint32_t length = 0;
            const char* name = ts_query_capture_name_for_id(query_, id, &length);
            emphasis_.push_back(EmphasisOfCapture({name, length}));
            if (emphasis_.back() == Emphasis::Plain)
                ts_query_disable_capture(query_, name, length);
        }
        for (std::uint32_t pattern = 0; pattern < ts_query_pattern_count(query_); ++pattern)
            conditions_.push_back(ConditionsOf(pattern));
    }
    ~HighlightQuery() {
        if (query_)
            ts_query_delete(query_);
    }
    HighlightQuery(const HighlightQuery&) = delete;
    HighlightQuery& operator=(const HighlightQuery&) = delete;

    const TSQuery* Get() const { return query_; }
    Emphasis EmphasisOf(std::uint32_t capture) const { return emphasis_[capture]; }

    // Whether a match's captured text meets its pattern's conditions.
    bool Holds(const TSQueryMatch& match, std::string_view text) const {
        for (const Condition& condition : conditions_[match.pattern_index]) {
            for (std::uint16_t i = 0; i < match.capture_count; ++i) {
                const TSQueryCapture& capture = match.captures[i];
                if (capture.index != condition.capture)
                    continue;
                const std::uint32_t begin = ts_node_start_byte(capture.node);
                const std::uint32_t end = ts_node_end_byte(capture.node);
                const std::string captured(text.substr(begin, end - begin));
                const bool matches =
                    condition.expression &&
                    regexec(condition.expression.get(), captured.c_str(), 0, nullptr, 0) == 0;
                if (matches == condition.negated)
                    return false;
            }
        }
        return true;
    }

private:
    struct FreeExpression {
        void operator()(regex_t* expression) const {
            regfree(expression);
            delete expression;
        }
    };
    using Expression = std::shared_ptr<regex_t>;
    struct Condition {
        std::uint32_t capture = 0;
        Expression expression; // null: one the system cannot read, never met
        bool negated = false;
    };

    // A POSIX extended expression: the queries' conditions on the captures
    // that show ("^[A-Z]") need nothing more.
    static Expression Compiled(std::string_view pattern) {
        auto* expression = new regex_t;
        if (regcomp(expression, std::string(pattern).c_str(), REG_EXTENDED | REG_NOSUB) != 0) {
            delete expression;
            return nullptr;
        }
        return Expression(expression, FreeExpression());
    }

    // The steps of a predicate: its name, a capture, an expression, done.
    std::vector<Condition> ConditionsOf(std::uint32_t pattern) const {
        std::vector<Condition> conditions;
        std::uint32_t count = 0;
        const TSQueryPredicateStep* steps =
            ts_query_predicates_for_pattern(query_, pattern, &count);
        for (std::uint32_t i = 0; i + 2 < count; ++i) {
            if (steps[i].type != TSQueryPredicateStepTypeString ||
                steps[i + 1].type != TSQueryPredicateStepTypeCapture ||
                steps[i + 2].type != TSQueryPredicateStepTypeString)
                continue;
            const std::string_view name = StringOf(query_, steps[i].value_id);
            const std::uint32_t capture = steps[i + 1].value_id;
            if ((name != "match?" && name != "not-match?") || emphasis_[capture] == Emphasis::Plain)
                continue;
            conditions.push_back(
                {capture, Compiled(StringOf(query_, steps[i + 2].value_id)), name == "not-match?"});
        }
        return conditions;
    }

    TSQuery* query_ = nullptr;
    std::vector<Emphasis> emphasis_;                 // by capture
    std::vector<std::vector<Condition>> conditions_; // by pattern
};

const HighlightQuery& QueryOf(std::size_t grammar) {
    // Compiled once: compiling takes longer than highlighting a small file.
    static const HighlightQuery c(GrammarOf(0));
    static const HighlightQuery cpp(GrammarOf(1));
    return grammar == 0 ? c : cpp;
}

class TreeSitterHighlighter final : public SyntaxHighlighter {
public:
    TreeSitterHighlighter(const TSLanguage* language, const HighlightQuery& query)
        : parser_(ts_parser_new()), cursor_(ts_query_cursor_new()), query_(query) {
        ts_parser_set_language(parser_, language);
    }
    ~TreeSitterHighlighter() override {
        ts_query_cursor_delete(cursor_);
        ts_parser_delete(parser_);
    }
    TreeSitterHighlighter(const TreeSitterHighlighter&) = delete;
    TreeSitterHighlighter& operator=(const TreeSitterHighlighter&) = delete;

    std::size_t Settle(std::string_view text, bool all, std::vector<EmphasisSpan>& spans) override {
        spans.clear();
        if (text.empty() || (!all && text.size() < kBlock))
            return 0;
        TSTree* const tree = ts_parser_parse_string(parser_, nullptr, text.data(),
                                                    static_cast<std::uint32_t>(text.size()));
        if (!tree) // no parse: the text prints plainly
            return text.size();
        const TSNode root = ts_tree_root_node(tree);
        std::size_t settled = text.size();
        if (!all) {
            // Up to the last top-level construct, which the text may cut;
            // it is parsed again with the text that follows.
            const std::uint32_t children = ts_node_child_count(root);
            settled = children < 2 ? 0 : ts_node_start_byte(ts_node_child(root, children - 1));
        }
        if (settled > 0)
            Collect(root, text.substr(0, settled), spans);
        ts_tree_delete(tree);
        return settled;
    }

private:
    // The spans of the captures that start in `text`, the first capture of
    // a stretch winning over those inside it.
    void Collect(TSNode root, std::string_view text, std::vector<EmphasisSpan>& spans) {
        ts_query_cursor_set_byte_range(cursor_, 0, static_cast<std::uint32_t>(text.size()));
        ts_query_cursor_exec(cursor_, query_.Get(), root);
        TSQueryMatch match;
        std::uint32_t index = 0;
        std::size_t covered = 0;
        while (ts_query_cursor_next_capture(cursor_, &match, &index)) {
            const TSQueryCapture& capture = match.captures[index];
            const Emphasis emphasis = query_.EmphasisOf(capture.index);
            const std::size_t begin = ts_node_start_byte(capture.node);
            const std::size_t end =
                std::min<std::size_t>(ts_node_end_byte(capture.node), text.size());
            if (emphasis == Emphasis::Plain || begin < covered || begin >= end ||
                !query_.Holds(match, text))
                continue;
            if (!spans.empty() && spans.back().end == begin && spans.back().emphasis == emphasis)
                spans.back().end = end;
            else
                spans.push_back({begin, end, emphasis});
            covered = end;
        }
    }

    TSParser* parser_;
    TSQueryCursor* cursor_;
    const HighlightQuery& query_;
};

} // namespace

std::vector<std::string> TreeSitterLanguages() {
    std::vector<std::string> languages;
    for (std::size_t i = 0; i < kGrammars; ++i)
        languages.emplace_back(GrammarOf(i).language);
    return languages;
}

std::unique_ptr<SyntaxHighlighter> MakeTreeSitterHighlighter(const std::string& language) {
    for (std::size_t i = 0; i < kGrammars; ++i) {
        if (language != GrammarOf(i).language)
            continue;
        const HighlightQuery& query = QueryOf(i);
        if (!query.Get())
            return nullptr;
        return std::make_unique<TreeSitterHighlighter>(GrammarOf(i).parser(), query);
    }
    return nullptr;
}

} // namespace zl
