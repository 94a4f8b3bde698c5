#include "render/PclParser.h"

#include <algorithm>

namespace zl::render {

namespace {

constexpr unsigned char kEsc = 27;
// Larger values mean nothing to a printer; capping them keeps the number
// finite however many digits arrive.
constexpr double kValueCap = 1e15;
constexpr double kSmallestFraction = 1e-6;

bool IsParameterisedKind(unsigned char byte) {
    return byte >= 33 && byte <= 47; // '!' .. '/'
}
bool IsTwoCharacterKind(unsigned char byte) {
    return byte >= 48 && byte <= 126; // '0' .. '~'
}
bool IsGroupOrParameter(unsigned char byte) {
    return byte >= 96 && byte <= 126; // '`' .. '~'
}
bool IsTerminator(unsigned char byte) {
    return byte >= 64 && byte <= 94; // '@' .. '^'
}

// Whether a command is followed by `value` bytes of binary data: every `W`
// (fonts, characters, patterns, raster and configuration data), raster data
// by plane (`ESC *b#V`) and transparent print data (`ESC &p#X`).
bool CarriesData(const PclCommand& command) {
    return command.terminator == 'W' ||
           (command.kind == '*' && command.group == 'b' && command.terminator == 'V') ||
           (command.kind == '&' && command.group == 'p' && command.terminator == 'X');
}

} // namespace

void PclParser::Reset() {
    state_ = State::Ground;
    dataLeft_ = 0;
    collecting_ = false;
    data_.clear();
}

void PclParser::Feed(const unsigned char* data, std::size_t size) {
    std::size_t i = 0;
    while (i < size) {
        if (state_ == State::Data) {
            const std::size_t take =
                static_cast<std::size_t>(std::min<std::uint64_t>(dataLeft_, size - i));
            if (collecting_)
                data_.insert(data_.end(), data + i, data + i + take);
            i += take;
            dataLeft_ -= take;
            if (dataLeft_ == 0)
                EndData();
            continue;
        }
        Step(data[i++]);
    }
}

void PclParser::EndData() {
    state_ = dataThenValue_ ? State::Value : State::Ground;
    if (collecting_) {
        collecting_ = false;
        handler_.OnData(dataCommand_, data_.data(), data_.size());
        data_.clear();
    }
}

void PclParser::StartValue() {
    integer_ = 0;
    fraction_ = 0;
    scale_ = 1;
    negative_ = false;
    afterPoint_ = false;
    command_.relative = false;
    state_ = State::Value;
}

void PclParser::AddDigit(unsigned char byte) {
    const int digit = byte - '0';
    if (afterPoint_) {
        if (scale_ > kSmallestFraction) {
            scale_ /= 10;
            fraction_ += digit * scale_;
        }
    } else if (integer_ < kValueCap) {
        integer_ = integer_ * 10 + digit;
    }
}

// A parameter ends: its command goes out, then its data is read or the next
// parameter of a combined sequence begins.
void PclParser::Parameter(unsigned char byte) {
    const bool last = IsTerminator(byte);
    command_.terminator = static_cast<char>(last ? byte : byte - 32);
    const double magnitude = integer_ + fraction_;
    command_.value = negative_ ? -magnitude : magnitude;
    handler_.OnCommand(command_);
    const bool data = CarriesData(command_) && command_.value >= 1;
    if (data) {
        dataCommand_ = command_;
        dataLeft_ = static_cast<std::uint64_t>(command_.value);
    }
    StartValue();
    if (data) {
        dataThenValue_ = !last;
        collecting_ = dataLeft_ <= kMaxDeliveredData;
        state_ = State::Data;
    } else if (last) {
        state_ = State::Ground;
    }
}

void PclParser::Step(unsigned char byte) {
    switch (state_) {
    case State::Ground:
        if (byte == kEsc)
            state_ = State::Escape;
        else
            handler_.OnByte(byte);
        return;
    case State::Escape:
        if (byte == kEsc)
            return;
        if (IsParameterisedKind(byte)) {
            command_ = PclCommand{};
            command_.kind = static_cast<char>(byte);
            state_ = State::Group;
        } else if (IsTwoCharacterKind(byte)) {
            PclCommand command;
            command.kind = static_cast<char>(byte);
            state_ = State::Ground;
            handler_.OnCommand(command);
        } else { // ESC before a control code or a high byte: the ESC is dropped
            state_ = State::Ground;
            handler_.OnByte(byte);
        }
        return;
    case State::Group:
        StartValue();
        if (IsGroupOrParameter(byte)) {
            command_.group = static_cast<char>(byte);
            return;
        }
        break; // no group (`ESC (10U`): the byte begins the value
    case State::Value:
    case State::Data:
        break;
    }

    // State::Value
    if (byte >= '0' && byte <= '9') {
        AddDigit(byte);
    } else if ((byte == '+' || byte == '-') && !command_.relative && integer_ == 0 &&
               !afterPoint_) {
        command_.relative = true;
        negative_ = byte == '-';
    } else if (byte == '.') {
        afterPoint_ = true;
    } else if (IsGroupOrParameter(byte) || IsTerminator(byte)) {
        Parameter(byte);
    } else {
        // Not PCL syntax: the sequence is dropped; an ESC begins the next one.
        state_ = byte == kEsc ? State::Escape : State::Ground;
    }
}

} // namespace zl::render
