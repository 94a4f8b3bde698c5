#include "engine/LanguageDetection.h"

#include "engine/SyntaxEmphasis.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace zl {

namespace {

struct NamedLanguage {
    const char* name;
    // The language, and where a highlighter may lack it, the nearest one
    // (or null): "sh" shares "#" comments, quoted strings and words like "if".
    const char* language;
    const char* nearest;
};

// Whole file names whose language the extension does not tell.
const NamedLanguage kFileNames[] = {
    {"Makefile", "makefile", nullptr},    {"makefile", "makefile", nullptr},
    {"GNUmakefile", "makefile", nullptr}, {"CMakeLists.txt", "cmake", "sh"},
    {"Dockerfile", "dockerfile", "sh"},   {"Containerfile", "dockerfile", "sh"},
    {"PKGBUILD", "sh", nullptr},          {".bashrc", "sh", nullptr},
    {".bash_profile", "sh", nullptr},     {".profile", "sh", nullptr},
    {".zshrc", "zsh", nullptr},
};

// Extensions the highlighter's own names may lack.
const NamedLanguage kExtensions[] = {
    {"mk", "makefile", nullptr},
    {"cmake", "cmake", "sh"},
    {"dockerfile", "dockerfile", "sh"},
    {"c++", "cpp", nullptr},
    {"cppm", "cpp", nullptr},
    {"ipp", "cpp", nullptr},
    {"tpp", "cpp", nullptr},
    {"inl", "cpp", nullptr},
    {"pyw", "python", nullptr},
    {"mjs", "javascript", nullptr},
    {"cjs", "javascript", nullptr},
};

// Interpreters of "#!" lines, by their name without a version
// ("python3.11" -> "python"), whose language has another name.
const NamedLanguage kInterpreters[] = {
    {"dash", "sh", nullptr},           {"ash", "sh", nullptr},
    {"gawk", "awk", nullptr},          {"mawk", "awk", nullptr},
    {"nawk", "awk", nullptr},          {"tclsh", "tcl", nullptr},
    {"wish", "tcl", nullptr},          {"node", "javascript", nullptr},
    {"nodejs", "javascript", nullptr}, {"Rscript", "r", nullptr},
    {"make", "makefile", nullptr},     {"gmake", "makefile", nullptr},
    {"runghc", "haskell", nullptr},    {"runhaskell", "haskell", nullptr},
    {"escript", "erlang", nullptr},
};

std::string Lowercase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

std::string FirstKnown(const NamedLanguage& entry) {
    std::string known = LanguageNamed(entry.language);
    if (known.empty() && entry.nearest != nullptr) {
        known = LanguageNamed(entry.nearest);
    }
    return known;
}

// The first known language of a table's entry for the name; empty when the
// table has none or none of its languages is known.
template <std::size_t kCount>
std::string FromTable(const NamedLanguage (&table)[kCount], const std::string& name) {
    for (const NamedLanguage& entry : table) {
        if (name == entry.name) {
            return FirstKnown(entry);
        }
    }
    return {};
}

// The name after the last folder separator.
std::string BaseName(const std::string& fileName) {
    const auto slash = fileName.find_last_of("/\\");
    return slash == std::string::npos ? fileName : fileName.substr(slash + 1);
}

std::string LanguageOfName(const std::string& baseName) {
    if (std::string language = FromTable(kFileNames, baseName); !language.empty()) {
        return language;
    }
    const auto dot = baseName.rfind('.');
    // A leading dot starts a hidden file's name, not an extension.
    if (dot != std::string::npos && dot != 0 && dot + 1 < baseName.size()) {
        const std::string extension = baseName.substr(dot + 1);
        if (std::string language = FromTable(kExtensions, Lowercase(extension));
            !language.empty()) {
            return language;
        }
        return LanguageNamed(extension);
    }
    return LanguageNamed(baseName);
}

// The interpreter's name of a "#!" line: the program's own name, or for
// "env" the first word after it that is neither an option nor a setting.
std::string InterpreterOf(const std::string& firstLine) {
    if (firstLine.compare(0, 2, "#!") != 0) {
        return {};
    }
    std::vector<std::string> words;
    std::size_t position = 2;
    while (position < firstLine.size()) {
        const auto begin = firstLine.find_first_not_of(" \t\r", position);
        if (begin == std::string::npos) {
            break;
        }
        const auto end = std::min(firstLine.find_first_of(" \t\r", begin), firstLine.size());
        words.push_back(firstLine.substr(begin, end - begin));
        position = end;
    }
    if (words.empty()) {
        return {};
    }
    std::string program = BaseName(words.front());
    if (program == "env") {
        program.clear();
        for (std::size_t i = 1; i < words.size(); ++i) {
            if (words[i].front() != '-' && words[i].find('=') == std::string::npos) {
                program = BaseName(words[i]);
                break;
            }
        }
    }
    // "python3.11" and "perl5" name the language without their version.
    const auto versionStart = program.find_last_not_of("0123456789.-");
    return versionStart == std::string::npos ? std::string() : program.substr(0, versionStart + 1);
}

} // namespace

std::string LanguageOf(const std::string& fileName, const std::string& firstLine) {
    if (std::string language = LanguageOfName(BaseName(fileName)); !language.empty()) {
        return language;
    }
    const std::string interpreter = InterpreterOf(firstLine);
    if (interpreter.empty()) {
        return {};
    }
    if (std::string language = FromTable(kInterpreters, interpreter); !language.empty()) {
        return language;
    }
    return LanguageNamed(interpreter);
}

} // namespace zl
