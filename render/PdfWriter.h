// The objects of a PDF file written one after another into a byte sink as
// they are ready, and the cross-reference table that finds them at the end.
// Streams are compressed. Nothing is written before the first object.
#pragma once

#include "platform/ByteSink.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zl::render {

class PdfWriter {
public:
    explicit PdfWriter(ByteSink& out) : out_(out) {}

    // A new object number, for an object written later.
    int Reserve();
    // Writes object `number` with `body` (a dictionary, an array, ...).
    void WriteObject(int number, const std::string& body);
    // Writes object `number` as a stream of `data`, compressed, with
    // `entries` added to its dictionary.
    void WriteStream(int number, const std::string& data, const std::string& entries = {});
    // The cross-reference table and the trailer naming the document's
    // catalog and information dictionary; every reserved object must have
    // been written.
    void Finish(int catalog, int info);

private:
    void Begin(int number);
    void Write(const std::string& text) { Write(text.data(), text.size()); }
    void Write(const char* data, std::size_t size);

    ByteSink& out_;
    std::int64_t written_ = 0;
    std::vector<std::int64_t> offsets_; // by object number - 1; -1 until written
};

// `value` as a PDF number: at most three decimals, no trailing zeros.
void AppendNumber(std::string& out, double value);

// `text` (UTF-8) as a PDF text string: UTF-16BE with its byte-order mark, in
// hexadecimal.
std::string PdfTextString(const std::string& text);

} // namespace zl::render
