#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarnwick::platform {

// Files and paths as the program asks the system about them. Operations
// that can fail answer 0 or the system's error number (an errno value);
// queries answer a value that has room for "nothing there".
//
// Every path is tidied by GetFullPath before the system sees it, as the
// Windows calls do: "." steps go, ".." removes the step before it, so a
// ".." after a missing or linked folder means the textual parent. The
// checks made on a path and the file then opened are thus the same one.

// An open file as this layer hands it out. Null is "no file" for every
// file, the first descriptor included.
using FileHandle = void*;
inline constexpr FileHandle kNoFile = nullptr;

// Opens an existing regular file for reading; any other kind is refused at
// once, without blocking (a folder: EISDIR, a pipe or a device: EINVAL).
int OpenForReading(const wchar_t* path, FileHandle& file);

// Opens a file for reading and writing where every write goes to its end;
// created readable and writable by the owner only when missing, an
// existing one is never truncated.
int OpenForAppending(const wchar_t* path, FileHandle& file);

// Creates a new file, readable and writable by the owner only, where every
// write goes to its end. Whatever stands at the path already is refused
// and left as it is: EEXIST for a file, a link (dangling or not, never
// followed), a pipe or a device; EISDIR for a folder.
int CreateNewFile(const wchar_t* path, FileHandle& file);

int GetFileSize(FileHandle file, int64_t& size);

// Reads exactly `count` bytes, asking again while the system hands out
// fewer. A file that ends first (it shrank) fails with EIO. `done` is how
// many bytes were taken from the file, on failure too.
int ReadExact(FileHandle file, void* buffer, size_t count, size_t& done);

// One write, which may take fewer bytes than asked; `written` is how many.
int WriteSome(FileHandle file, const void* buffer, size_t count, size_t& written);

void CloseFile(FileHandle file);

// What stands at a path. Anything that is not a folder counts as a file
// (a pipe, a device, and a link itself when links are not followed).
// kNothing also when the path cannot be examined.
enum class PathKind { kNothing, kFile, kFolder };

// Links are followed to what they name; a dangling one names nothing.
PathKind GetPathKind(const std::wstring& path);
// The entry itself: a link is a file, whatever it points to.
PathKind GetEntryKind(const std::wstring& path);

// Removes a regular file, or a symbolic link itself (never its target).
// Anything else is refused: a folder with EISDIR, a device, a pipe or a
// socket with EPERM, since a device node must survive whoever runs the
// program.
int RemoveFile(const std::wstring& path);

// Creates every missing level of a folder path; 0 also when the folder
// exists already.
int CreateDirectories(const std::wstring& path);

// Both paths name the same file (same device and inode), links followed.
bool IsSameFile(const std::wstring& a, const std::wstring& b);

// The path made absolute without touching the disk: a relative path is
// joined to the current folder, "." and empty steps are dropped and ".."
// steps remove the step before them but never climb above the root. A
// trailing '/' is kept, so the path still names only a folder; a trailing
// "/." is dropped like any other "." step. Empty when the path is empty or
// the current folder is unknown.
std::wstring GetFullPath(const std::wstring& path);

// Full path of the running program file (links resolved by the kernel);
// empty when it cannot be found.
std::wstring GetProgramFilePath();

}  // namespace tarnwick::platform
