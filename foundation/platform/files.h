#pragma once

#include <cstddef>
#include <cstdint>

namespace tarnwick::platform {

// An open file as this layer hands it out. Null is "no file" for every
// file, the first descriptor included. Failures answer false and leave the
// reason in LastError() (foundation/platform/errors.h).
using FileHandle = void*;
inline constexpr FileHandle kNoFile = nullptr;

// Opens an existing regular file for reading; any other kind is refused at
// once, without blocking (a folder: EISDIR, a pipe or a device: EINVAL).
bool OpenForReading(const wchar_t* path, FileHandle& file);

// Opens a file for reading and writing where every write goes to its end;
// created readable and writable by the owner only when missing, an
// existing one is never truncated.
bool OpenForAppending(const wchar_t* path, FileHandle& file);

bool FileSize(FileHandle file, int64_t& size);

// Reads exactly `count` bytes, asking again while the system hands out
// fewer. A file that ends first (it shrank) fails with EIO. `done` is how
// many bytes were taken from the file, on failure too.
bool ReadExact(FileHandle file, void* buffer, size_t count, size_t& done);

// One write, which may take fewer bytes than asked; `written` is how many.
bool WriteSome(FileHandle file, const void* buffer, size_t count, size_t& written);

void CloseFile(FileHandle file);

}  // namespace tarnwick::platform
