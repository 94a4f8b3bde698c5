// The pages of a listing to write, as a user gives them: "3-5,9", "7-".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zl {

class PageSelection {
public:
    // Every page.
    PageSelection() = default;

    // Comma-separated page numbers and ranges from 1: "N", "N-M" (N <= M),
    // "N-" (N to the end); blanks are not allowed. Empty for any other text.
    static std::optional<PageSelection> Parse(const std::string& text);

    bool All() const { return ranges_.empty(); }
    bool Contains(std::int32_t page) const;
    // The text it was read from; "" for every page.
    const std::string& Text() const { return text_; }

    bool operator==(const PageSelection& other) const { return text_ == other.text_; }

private:
    void Merge();

    struct Range {
        std::int32_t first;
        std::int32_t last;
    };
    std::vector<Range> ranges_;
    std::string text_;
};

} // namespace zl
