#include "render/PdfWriter.h"

#include "platform/Exception.h"

#include <QByteArray>
#include <QString>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace zl::render {

namespace {

// The file's first line, then a comment of bytes above 127 that marks it
// as binary for programs that look.
const char kHeader[] = "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n";

} // namespace

int PdfWriter::Reserve() {
    offsets_.push_back(-1);
    return static_cast<int>(offsets_.size());
}

void PdfWriter::Begin(int number) {
    if (written_ == 0)
        Write(kHeader, sizeof kHeader - 1);
    offsets_.at(static_cast<std::size_t>(number - 1)) = written_;
    Write(std::to_string(number) + " 0 obj\n");
}

void PdfWriter::WriteObject(int number, const std::string& body) {
    Begin(number);
    Write(body);
    Write("\nendobj\n");
}

void PdfWriter::WriteStream(int number, const std::string& data, const std::string& entries) {
    // zlib's format, as qCompress makes it after its own four bytes of size.
    const QByteArray packed =
        qCompress(reinterpret_cast<const uchar*>(data.data()), static_cast<qsizetype>(data.size()));
    const std::size_t size = packed.size() > 4 ? static_cast<std::size_t>(packed.size()) - 4 : 0;
    Begin(number);
    Write("<</Length " + std::to_string(size) + "/Filter/FlateDecode" + entries + ">>\nstream\n");
    Write(packed.constData() + 4, size);
    Write("\nendstream\nendobj\n");
}

void PdfWriter::Finish(int catalog, int info) {
    const std::int64_t table = written_;
    std::string text = "xref\n0 " + std::to_string(offsets_.size() + 1) + "\n0000000000 65535 f \n";
    for (std::int64_t offset : offsets_) {
        if (offset < 0)
            throw Exception("cannot write the PDF: an object was left out");
        char entry[32];
        std::snprintf(entry, sizeof entry, "%010lld 00000 n \n", static_cast<long long>(offset));
        text += entry;
    }
    text += "trailer\n<</Size " + std::to_string(offsets_.size() + 1) + "/Root " +
            std::to_string(catalog) + " 0 R/Info " + std::to_string(info) + " 0 R>>\nstartxref\n" +
            std::to_string(table) + "\n%%EOF\n";
    Write(text);
}

void PdfWriter::Write(const char* data, std::size_t size) {
    while (size > 0) {
        const std::size_t piece =
            std::min<std::size_t>(size, std::numeric_limits<std::int32_t>::max());
        out_.Write(data, static_cast<std::int32_t>(piece));
        written_ += static_cast<std::int64_t>(piece);
        data += piece;
        size -= piece;
    }
}

void AppendNumber(std::string& out, double value) {
    const double rounded = std::round(value * 1000) / 1000;
    char digits[64];
    const auto [end, error] = std::to_chars(
        digits, digits + sizeof digits, rounded == 0 ? 0.0 : rounded, std::chars_format::fixed, 3);
    if (error != std::errc()) {
        out += '0';
        return;
    }
    const char* last = end;
    while (last[-1] == '0')
        --last;
    if (last[-1] == '.')
        --last;
    out.append(digits, static_cast<std::size_t>(last - digits));
}

std::string PdfTextString(const std::string& text) {
    const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    std::string hex = "<FEFF";
    char digits[5];
    for (QChar c : string) {
        std::snprintf(digits, sizeof digits, "%04X", c.unicode());
        hex += digits;
    }
    return hex + ">";
}

} // namespace zl::render
