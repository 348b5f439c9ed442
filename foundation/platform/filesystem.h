#pragma once

#include <cstdint>
#include <string>

namespace tarnwick::platform {

// What GetPathAttributes answers: kAttrInvalid when the path names nothing
// (or cannot be examined), otherwise kAttrNormal, with kAttrFolder added
// for a folder. Symbolic links are followed.
constexpr uint32_t kAttrInvalid = 0xFFFFFFFFu;
constexpr uint32_t kAttrFolder = 0x10u;
constexpr uint32_t kAttrNormal = 0x80u;

uint32_t GetPathAttributes(const std::wstring& path);

// The path names something that exists and is not a folder.
inline bool IsExistingFile(uint32_t attributes) {
  return attributes != kAttrInvalid && (attributes & kAttrFolder) == 0;
}
inline bool IsExistingFolder(uint32_t attributes) {
  return attributes != kAttrInvalid && (attributes & kAttrFolder) != 0;
}

// Removes a regular file, or a symbolic link itself (never its target).
// Anything else (a folder, a device, a pipe, a socket) is refused: a
// device node must survive whoever runs the program. Answers 0 or an
// error number.
int RemoveFile(const std::wstring& path);

// The path made absolute without touching the disk: a relative path is
// joined to the current folder, "." and empty steps are dropped and ".."
// steps climb one step but never above the root. Symbolic links are left
// as they are; a trailing '/' is kept. Empty when the path is empty or the
// current folder is unknown.
std::wstring GetFullPath(const std::wstring& path);

// Full path of the running program file (links resolved by the kernel);
// empty when it cannot be found.
std::wstring GetProgramFilePath();

// Both paths exist and name the same file (same device and inode), links
// followed.
bool IsSameFile(const std::wstring& a, const std::wstring& b);

// Creates every missing level of a folder path. Answers 0 (also when the
// folder exists already) or an error number.
int CreateDirectories(const std::wstring& path);

}  // namespace tarnwick::platform
