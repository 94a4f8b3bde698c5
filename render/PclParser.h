// The syntax of a PCL 5 byte stream: plain bytes, two-character escape
// sequences and parameterised ones, combined or not, and the binary data
// some of them carry. The parser keeps no more than one value at a time, so
// any chunking of the stream gives the same commands. Binary data up to
// kMaxDeliveredData bytes is collected and handed over whole; longer data
// is skipped by its count without buffering it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

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
    // The binary data of `command` (already handed to OnCommand), whole;
    // data cut off by the end of the stream never arrives.
    virtual void OnData(const PclCommand& command, const unsigned char* data, std::size_t size) {
        (void)command, (void)data, (void)size;
    }
};

// The longest data handed to OnData; a font header or a character of a
// listing's font takes far less.
constexpr std::size_t kMaxDeliveredData = 64 * 1024;

class PclParser {
public:
    explicit PclParser(PclHandler& handler) : handler_(handler) {}

    void Feed(const unsigned char* data, std::size_t size);
    // Forgets a sequence cut off by the end of the stream.
    void Reset();

private:
    enum class State { Ground, Escape, Group, Value, Data };

    void Step(unsigned char byte);
    void EndData();
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
    // Binary data still to come, and whether the sequence goes on after it;
    // the command it belongs to and the data collected when it is delivered.
    std::uint64_t dataLeft_ = 0;
    bool dataThenValue_ = false;
    bool collecting_ = false;
    PclCommand dataCommand_;
    std::vector<unsigned char> data_;
};

} // namespace zl::render
