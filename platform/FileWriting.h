// Writing into files with every failure checked: the system calls report an
// error number, and ErrorText puts it in the system's words.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace zl {

// The system's words for error number `err` ("No space left on device").
std::string ErrorText(int err);

// Creates `path` for writing, never opening a file that is already there;
// the descriptor, or -1 with errno set (EEXIST when the name is taken).
int CreateNewFile(const std::filesystem::path& path);
// Opens something that exists for writing, never creating or emptying it;
// the descriptor, or -1 with errno set.
int OpenExisting(const std::filesystem::path& path);

// Writes `count` bytes, going on after short writes; `done` tells how many
// went out. 0, or the error number of the write that failed; a write cut
// short by a stop signal fails with EINTR rather than wait on.
int WriteAll(int fd, const char* data, std::size_t count, std::uint64_t& done);
// Puts what was written on the storage. 0 or the error number; a pipe, a
// terminal or a device, which cannot be synced, counts as synced.
int SyncToStorage(int fd);
// 0 or the error number.
int CloseFile(int fd);
// Cuts the file back to `size` bytes and goes on writing there; 0 or the
// error number.
int CutBack(int fd, std::uint64_t size);

// Gives the file `from` the name `to` too, and drops `from`, unless `to` is
// taken: never overwrites. 0, EEXIST when the name is taken, or the error number.
int LinkAsNew(const std::filesystem::path& from, const std::filesystem::path& to);
// Puts `from` in the place of `to`, replacing what is there: 0 or the error number.
int RenameOnto(const std::filesystem::path& from, const std::filesystem::path& to);
// True when this process may write `path`; else errno tells why.
bool MayWrite(const std::filesystem::path& path);

} // namespace zl
