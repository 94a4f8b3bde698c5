// The syntax of a PCL 5 byte stream: plain bytes, two-character escape
// sequences and parameterised ones, combined or not, and the binary data
// some of them carry. The parser keeps no more than one value at a time, so
// any chunking of the stream gives the same commands, and it skips binary
// data by its count without buffering it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zl::render {

// One command of an escape sequence. `ESC E`: kind 'E', no group or
// terminator. `ESC &l8D`: kind '&', group 'l', terminator 'D', value 8.
// In a combined sequence (`ESC &l1o2a8D`) each parameter is a command of its
// own, its terminator in upper case.
struct PclCommand {
    char kind = 0;         // the byte after ESC
    char group = 0;        // 0 when the sequence has none (`ESC (10U`)
    char terminator = 0;   // 0 for a two-character sequence
    double value = 0;      // 0 when the value field is empty
    bool relative = false; // the value was signed: a move relative to the cursor
};

class PclHandler {
public:
    virtual ~PclHandler() = default;
    // A byte outside any escape sequence: text or a control code.
    virtual void OnByte(unsigned char byte) = 0;
    virtual void OnCommand(const PclCommand& command) = 0;
};

class PclParser {
public:
    explicit PclParser(PclHandler& handler) : handler_(handler) {}

    void Feed(const unsigned char* data, std::size_t size);
    // Forgets a sequence cut off by the end of the stream.
    void Reset();

private:
    enum class State { Ground, Escape, Group, Value, Data };

    void Step(unsigned char byte);
    void StartValue();
    void Parameter(unsigned char byte);
    void AddDigit(unsigned char byte);

    PclHandler& handler_;
    State state_ = State::Ground;
    PclCommand command_;
    // The value field being read: digits before and after the point, capped.
    double integer_ = 0;
    double fraction_ = 0;
    double scale_ = 1;
    bool negative_ = false;
    bool afterPoint_ = false;
    // Binary data still to skip, and whether the sequence goes on after it.
    std::uint64_t dataLeft_ = 0;
    bool dataThenValue_ = false;
};

} // namespace zl::render
