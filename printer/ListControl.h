// A list of names with one selected, as the printer selector fills and reads
// it: the GUI backs it with a combo box, tests with a plain list.
#pragma once

#include <string>
#include <vector>

namespace zl {

class ListControl {
public:
    virtual ~ListControl() = default;
    virtual void SetItems(const std::vector<std::string>& items) = 0;
    virtual std::vector<std::string> Items() const = 0;
    // -1 selects nothing.
    virtual void SetItemIndex(int index) = 0;
    virtual int ItemIndex() const = 0;
    // The selected item's text, empty when none is selected.
    std::string Text() const {
        const int index = ItemIndex();
        const std::vector<std::string> items = Items();
        return index >= 0 && index < static_cast<int>(items.size())
                   ? items[static_cast<std::size_t>(index)]
                   : std::string();
    }
};

// A ListControl that is only a list.
class PlainListControl : public ListControl {
public:
    void SetItems(const std::vector<std::string>& items) override {
        items_ = items;
        index_ = -1;
    }
    std::vector<std::string> Items() const override { return items_; }
    void SetItemIndex(int index) override {
        index_ = index >= 0 && index < static_cast<int>(items_.size()) ? index : -1;
    }
    int ItemIndex() const override { return index_; }

private:
    std::vector<std::string> items_;
    int index_ = -1;
};

} // namespace zl
