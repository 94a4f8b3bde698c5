// zellist-draw, the program that draws listings (PDF output and --driver)
// with Qt, so that zellist itself never loads Qt for a PCL listing. It lies
// beside zellist in a build tree, and in LIBEXECDIR/zellist once installed.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zl::cli {

constexpr const char* kDrawingProgramName = "zellist-draw";

// The drawing program for the zellist that runs; empty when there is none.
std::string DrawingProgramPath();

// Runs the drawing program with zellist's arguments (UTF-8, its own name
// first) in zellist's
// place: its output, messages, signals and exit status are the run's. Returns
// only when it cannot be run (after a message on `err`), with the exit status
// to end with.
int RunDrawingProgram(const std::vector<std::string>& arguments, std::ostream& err);

} // namespace zl::cli
