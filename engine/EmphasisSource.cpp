#include "engine/EmphasisSource.h"

#include "engine/LanguageDetection.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace zl {

namespace {

constexpr std::size_t kBlock = 64 * 1024;
// The most text kept unsettled: past it the highlighter settles what it
// has, so memory stays flat whatever the file holds.
constexpr std::size_t kMostKept = 1024 * 1024;
// What "auto" reads before it names a language without a whole first line.
constexpr std::size_t kFirstLineMost = 4096;
const char kAuto[] = "auto";

} // namespace

EmphasisSource::EmphasisSource(std::unique_ptr<InputSource> source, std::string language,
                               std::vector<std::string> names)
    : source_(std::move(source)), language_(std::move(language)), names_(std::move(names)) {}

std::size_t EmphasisSource::Read(char* buffer, std::size_t size) {
    while (handed_ == settled_)
        if (!SettleMore())
            return 0;
    const std::size_t count = std::min(size, settled_ - handed_);
    std::memcpy(buffer, pending_.data() + handed_, count);
    handed_ += count;
    return count;
}

bool EmphasisSource::ReadBlock() {
    const std::size_t kept = pending_.size();
    pending_.resize(kept + kBlock);
    const std::size_t read = source_->Read(pending_.data() + kept, kBlock);
    pending_.resize(kept + read);
    ended_ = read == 0;
    return !ended_;
}

// The language asked for, or the one the file's name or first line tells.
void EmphasisSource::ChooseHighlighter() {
    if (language_ == kAuto) {
        while (!ended_ && pending_.find('\n') == std::string::npos &&
               pending_.size() < kFirstLineMost)
            ReadBlock();
        language_.clear();
        for (const std::string& name : names_)
            if (language_.empty())
                language_ = LanguageOf(name, "");
        if (language_.empty())
            language_ = LanguageOf("", pending_.substr(0, pending_.find('\n')));
    }
    highlighter_ = MakeHighlighter(language_);
    if (!highlighter_)
        language_.clear();
    chosen_ = true;
}

// Highlights more of the input; false at its end.
bool EmphasisSource::SettleMore() {
    pending_.erase(0, handed_);
    pendingStart_ += handed_;
    settled_ -= handed_;
    handed_ = 0;
    for (;;) {
        if (!ended_)
            ReadBlock();
        if (!chosen_)
            ChooseHighlighter();
        if (pending_.empty())
            return false;
        const bool all = ended_ || pending_.size() >= kMostKept;
        if (!highlighter_) {
            settled_ = pending_.size();
            return true;
        }
        const std::size_t settled =
            std::min(highlighter_->Settle(pending_, all, spans_), pending_.size());
        if (settled > 0 || all) {
            Record(spans_);
            settled_ = all ? pending_.size() : settled;
            return true;
        }
    }
}

void EmphasisSource::Record(const std::vector<EmphasisSpan>& spans) {
    for (const EmphasisSpan& span : spans) {
        if (span.begin >= span.end || span.emphasis == Emphasis::Plain)
            continue;
        ChangeAt(pendingStart_ + span.begin, span.emphasis);
        ChangeAt(pendingStart_ + span.end, Emphasis::Plain);
    }
}

void EmphasisSource::ChangeAt(std::uint64_t offset, Emphasis emphasis) {
    if (!changes_.empty() && changes_.back().first >= offset) { // the same place
        changes_.back().second = emphasis;
        if (changes_.size() >= 2 && changes_[changes_.size() - 2].second == emphasis)
            changes_.pop_back();
        return;
    }
    const Emphasis before = changes_.empty() ? Emphasis::Plain : changes_.back().second;
    if (emphasis != before)
        changes_.emplace_back(offset, emphasis);
}

EmphasisSource::Stretch EmphasisSource::StretchAt(std::uint64_t offset) {
    while (changes_.size() >= 2 && changes_[1].first <= offset)
        changes_.pop_front();
    const std::uint64_t known = ended_ && settled_ == pending_.size()
                                    ? std::numeric_limits<std::uint64_t>::max()
                                    : pendingStart_ + settled_;
    Stretch stretch;
    if (changes_.empty() || changes_.front().first > offset) {
        stretch.end = changes_.empty() ? known : changes_.front().first;
    } else {
        stretch.emphasis = changes_.front().second;
        stretch.end = changes_.size() >= 2 ? changes_[1].first : known;
    }
    stretch.end = std::max(stretch.end, offset + 1);
    return stretch;
}

} // namespace zl
