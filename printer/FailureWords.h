// A print failure in plain words: the technical text of a failure (the
// failed call, where, and the system's or the print server's cause) turned
// into what went wrong, for a message to the user; the technical text stays
// for the message's details.
#pragma once

#include <string>

namespace zl {

// The cause of `technical` in plain words, without a full stop ("the file
// does not exist", "the print server H:P does not answer"); a text it does
// not know is returned as it is.
std::string PlainCause(const std::string& technical);

// The sentence for a failure of `technical` while the program did `verb` to
// the file at `path` (empty: none): "Cannot print notes.txt: the file does
// not exist."
std::string FailureSentence(const std::string& verb, const std::string& path,
                            const std::string& technical);

} // namespace zl
