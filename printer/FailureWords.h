// A failure in plain words, for a message to the user: made from the
// failure's fields (its step, printer, kind of cause and system error), its
// technical text kept for the message's details.
#pragma once

#include <exception>
#include <string>

namespace zl {

// The cause of `failure` in plain words, without a full stop ("the file
// does not exist", "the print server H:P does not answer"); a failure whose
// cause it knows nothing more of says its own words.
std::string PlainCause(const std::exception& failure);

// The sentence for `failure` while the program did `verb` to the file at
// `path` (empty: none): "Cannot print notes.txt: the file does not exist."
std::string FailureSentence(const std::string& verb, const std::string& path,
                            const std::exception& failure);
// The same for a cause already in plain words.
std::string FailureSentence(const std::string& verb, const std::string& path,
                            const std::string& plainCause);

} // namespace zl
