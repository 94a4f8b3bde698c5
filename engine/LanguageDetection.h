// The language of a source file, found from its name and its first line.
#pragma once

#include <string>

namespace zl {

// A language of KnownLanguages() for a file: from well-known names
// ("Makefile", "CMakeLists.txt", "Dockerfile"), the extension, the whole
// name ("ChangeLog"), then for scripts the interpreter of a "#!" first line
// ("#!/bin/sh", "#!/usr/bin/env python3"). Empty when none fits.
// fileName may carry a folder; firstLine is the file's first line without
// its line end, or empty.
std::string LanguageOf(const std::string& fileName, const std::string& firstLine);

} // namespace zl
