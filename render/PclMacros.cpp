#include "render/PclMacros.h"

namespace zl::render {

namespace {

constexpr std::size_t kMaxMacros = 64;
constexpr std::size_t kMaxMacroItems = 1 << 18;

} // namespace

void PclMacros::Add(const MacroItem& item) {
    if (defining_ && items_ < kMaxMacroItems) {
        defining_->push_back(item);
        ++items_;
    }
}

void PclMacros::Record(unsigned char byte) {
    MacroItem item;
    item.byte = byte;
    item.isByte = true;
    Add(item);
}

void PclMacros::Record(const PclCommand& command) {
    if (command.kind == '&' && command.group == 'f' && command.terminator == 'X' &&
        command.value >= 1 && command.value < 2) {
        defining_ = nullptr;
        return;
    }
    MacroItem item;
    item.command = command;
    Add(item);
}

void PclMacros::Edit(int value) {
    if (value == 0 && (macros_.count(id_) > 0 || macros_.size() < kMaxMacros)) {
        std::vector<MacroItem>& items = macros_[id_];
        items_ -= items.size();
        items.clear();
        defining_ = &items;
    } else if (value == 6 || value == 7) {
        Clear();
    } else if (value == 8 && macros_.count(id_) > 0) {
        items_ -= macros_[id_].size();
        macros_.erase(id_);
    }
}

void PclMacros::Clear() {
    macros_.clear();
    items_ = 0;
    defining_ = nullptr;
}

const std::vector<MacroItem>* PclMacros::Find(int id) const {
    const auto found = macros_.find(id);
    return found == macros_.end() ? nullptr : &found->second;
}

} // namespace zl::render
