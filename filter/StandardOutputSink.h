// The filter's output: the listing's bytes on standard output, which CUPS
// hands to the next filter or the backend.
#pragma once

#include "platform/ByteSink.h"

namespace zl::filter {

class StandardOutputSink : public ByteSink {
public:
    // Raises with the system's words when standard output takes no more.
    void Write(const void* data, std::int32_t count) override;
    void Finish() override {}
};

} // namespace zl::filter
