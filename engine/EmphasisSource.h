// An input handed on as it is, highlighted on its way: it tells where the
// emphasis of its bytes changes, by their offset from the input's start.
// The bytes it hands on are always highlighted already, so whoever reads
// them can ask for their emphasis.
#pragma once

#include "engine/InputSource.h"
#include "engine/SyntaxEmphasis.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zl {

class EmphasisSource final : public InputSource {
public:
    // `language`: "auto" (the language of the first of `names` that tells
    // one, else of a "#!" first line), or a language's name. An input in no
    // known language is handed on without emphasis.
    EmphasisSource(std::unique_ptr<InputSource> source, std::string language,
                   std::vector<std::string> names);

    std::size_t Read(char* buffer, std::size_t size) override;
    void Close() override { source_->Close(); }

    // The emphasis of the byte at `offset`, handed on already, and the
    // offset up to which it lasts at least. Offsets asked for never go
    // back: what lies before is forgotten.
    struct Stretch {
        Emphasis emphasis = Emphasis::Plain;
        std::uint64_t end = 0;
    };
    Stretch StretchAt(std::uint64_t offset);

    // The language the input is highlighted in; empty for none. Known once
    // the first bytes are read.
    const std::string& Language() const { return language_; }

private:
    bool SettleMore();
    bool ReadBlock();
    void ChooseHighlighter();
    void Record(const std::vector<EmphasisSpan>& spans);
    void ChangeAt(std::uint64_t offset, Emphasis emphasis);

    std::unique_ptr<InputSource> source_;
    std::string language_;
    std::vector<std::string> names_;
    std::unique_ptr<SyntaxHighlighter> highlighter_;
    bool chosen_ = false; // the highlighter, if any
    bool ended_ = false;  // the source has no more
    // Read and not yet handed on, from `pendingStart_` in the input: the
    // first `settled_` bytes highlighted, of which `handed_` handed on.
    std::string pending_;
    std::uint64_t pendingStart_ = 0;
    std::size_t settled_ = 0;
    std::size_t handed_ = 0;
    // Where the emphasis changes, in order: from the offset on.
    std::deque<std::pair<std::uint64_t, Emphasis>> changes_;
    std::vector<EmphasisSpan> spans_;
};

} // namespace zl
