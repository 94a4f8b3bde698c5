#include "filter/StandardOutputSink.h"

#include "platform/Exception.h"
#include "platform/FileWriting.h"

#include <cstddef>

namespace zl::filter {

void StandardOutputSink::Write(const void* data, std::int32_t count) {
    std::uint64_t done = 0;
    if (const int error =
            WriteAll(1, static_cast<const char*>(data), static_cast<std::size_t>(count), done))
        throw Exception("cannot write the listing: " + ErrorText(error));
}

} // namespace zl::filter
