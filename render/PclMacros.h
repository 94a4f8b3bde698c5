// The macros of a PCL stream: the bytes and commands of each, kept under its
// ID as it is defined, for the interpreter to replay. Their number and size
// are bounded.
#pragma once

#include "render/PclParser.h"

#include <cstddef>
#include <map>
#include <vector>

namespace zl::render {

// One byte or command kept in a macro.
struct MacroItem {
    PclCommand command;
    unsigned char byte = 0;
    bool isByte = false;
};

class PclMacros {
public:
    PclMacros() = default;
    PclMacros(const PclMacros&) = delete;
    PclMacros& operator=(const PclMacros&) = delete;

    // While a macro is defined, what arrives belongs to it.
    bool Defining() const { return defining_ != nullptr; }
    void Record(unsigned char byte);
    // ESC &f1X ends the definition.
    void Record(const PclCommand& command);
    // A definition cut off by the end of the stream.
    void EndDefinition() { defining_ = nullptr; }

    // ESC &f#Y: the ID the next definition, call or deletion uses.
    void SetId(int id) { id_ = id; }
    int Id() const { return id_; }
    // ESC &f#X for definitions: 0 begins that of the current ID; 6 and 7
    // delete every macro (all are temporary), 8 the current ID's.
    void Edit(int value);
    void Clear();

    // The items of macro `id`, null when there is none.
    const std::vector<MacroItem>* Find(int id) const;

private:
    void Add(const MacroItem& item);

    std::map<int, std::vector<MacroItem>> macros_;
    std::size_t items_ = 0; // in all of them
    int id_ = 0;
    std::vector<MacroItem>* defining_ = nullptr;
};

} // namespace zl::render
