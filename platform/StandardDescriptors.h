// The standard descriptors a process may be started without: a parent can
// close standard input, output or error before it runs the program.
#pragma once

namespace zl {

// Opens each of descriptors 0, 1 and 2 that is closed on the null device,
// before the program opens anything else, so that no file, pipe or socket
// of its own takes the number and is read or written as standard input,
// output or error. Returns whether standard input was closed. Does nothing
// on Windows, whose programs do not start with descriptors closed so.
bool ReserveStandardDescriptors();

} // namespace zl
