#include "foundation/platform/files.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/platform/text.h"

namespace tarnwick::platform {
namespace {

// Descriptor + 1, so that descriptor 0 is not mistaken for "no file".
FileHandle ToHandle(int fd) { return reinterpret_cast<FileHandle>(static_cast<intptr_t>(fd) + 1); }
int ToDescriptor(FileHandle file) { return static_cast<int>(reinterpret_cast<intptr_t>(file) - 1); }

// The bytes the kernel sees: the tidied path, encoded. EINVAL for a path
// no byte string can carry (it can name no file), ENOENT for one that
// cannot be made absolute.
int ToSystemPath(std::wstring_view path, std::string& bytes) {
  if (path.empty()) return ENOENT;
  const std::wstring full = GetFullPath(std::wstring(path));
  if (full.empty()) return ENOENT;
  try {
    bytes = EncodeSystemText(full);
  } catch (const std::range_error&) {
    return EINVAL;
  }
  return 0;
}

int StatPath(const std::wstring& path, struct stat& st, bool followLinks) {
  std::string bytes;
  if (const int error = ToSystemPath(path, bytes)) return error;
  const int answer = followLinks ? stat(bytes.c_str(), &st) : lstat(bytes.c_str(), &st);
  return answer == 0 ? 0 : errno;
}

PathKind KindOf(const std::wstring& path, bool followLinks) {
  struct stat st;
  if (StatPath(path, st, followLinks) != 0) return PathKind::kNothing;
  return S_ISDIR(st.st_mode) ? PathKind::kFolder : PathKind::kFile;
}

// Share modes have no POSIX counterpart: other processes may read and
// write the file whatever we open it for, so none are asked for here.
int OpenPath(const wchar_t* path, int flags, int& fd) {
  std::string bytes;
  if (const int error = ToSystemPath(path != nullptr ? path : L"", bytes)) return error;
  do {
    fd = ::open(bytes.c_str(), flags, 0600);
  } while (fd < 0 && errno == EINTR);
  return fd >= 0 ? 0 : errno;
}

// Closes a descriptor that failed a check, keeping the check's reason.
int Refuse(int fd, int error) {
  ::close(fd);
  return error;
}

// Grows the buffer until `fill` answers a length that fits; fill answers
// the length written, or -1 with errno set.
template <typename Fill>
std::wstring ReadGrowing(Fill fill) {
  for (size_t size = 256; size <= (size_t{1} << 24); size *= 2) {
    std::vector<char> buffer(size);
    const ssize_t n = fill(buffer.data(), buffer.size());
    if (n < 0 && errno != ERANGE) return {};
    if (n >= 0 && static_cast<size_t>(n) < buffer.size()) {
      return DecodeSystemText(std::string_view(buffer.data(), static_cast<size_t>(n)));
    }
  }
  return {};
}

std::wstring CurrentFolder() {
  std::wstring folder = ReadGrowing([](char* buffer, size_t size) -> ssize_t {
    if (getcwd(buffer, size) == nullptr) return -1;
    return static_cast<ssize_t>(std::char_traits<char>::length(buffer));
  });
  // Anything but an absolute path (an unreachable folder) cannot anchor one.
  if (folder.empty() || folder[0] != L'/') return {};
  return folder;
}

}  // namespace

int OpenForReading(const wchar_t* path, FileHandle& file) {
  // Non-blocking: a FIFO without a writer would otherwise hang the open,
  // and with it Ctrl+C. Linux opens folders, pipes and devices readily, so
  // only what fstat calls a regular file is kept.
  int fd = -1;
  if (const int error = OpenPath(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, fd)) {
    return error;
  }
  struct stat st;
  if (::fstat(fd, &st) != 0) return Refuse(fd, errno);
  if (S_ISDIR(st.st_mode)) return Refuse(fd, EISDIR);
  if (!S_ISREG(st.st_mode)) return Refuse(fd, EINVAL);
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) return Refuse(fd, errno);
  file = ToHandle(fd);
  return 0;
}

int OpenForAppending(const wchar_t* path, FileHandle& file) {
  // O_APPEND stands for a seek to the end before every write, without the
  // gap between the two. New files are 0600: decrypted output is plaintext.
  int fd = -1;
  if (const int error = OpenPath(path, O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC | O_NOCTTY, fd)) {
    return error;
  }
  file = ToHandle(fd);
  return 0;
}

int CreateNewFile(const wchar_t* path, FileHandle& file) {
  // O_EXCL makes the check for "nothing there" and the creation one step:
  // a file or link planted after the caller looked is refused, never
  // written through.
  int fd = -1;
  const int error =
      OpenPath(path, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_APPEND | O_CLOEXEC | O_NOCTTY, fd);
  if (error == EEXIST && GetEntryKind(path) == PathKind::kFolder) return EISDIR;
  if (error != 0) return error;
  file = ToHandle(fd);
  return 0;
}

int GetFileSize(FileHandle file, int64_t& size) {
  struct stat st;
  if (::fstat(ToDescriptor(file), &st) != 0) return errno;
  size = static_cast<int64_t>(st.st_size);
  return 0;
}

int ReadExact(FileHandle file, void* buffer, size_t count, size_t& done) {
  auto* at = static_cast<unsigned char*>(buffer);
  done = 0;
  while (done < count) {
    const ssize_t n = ::read(ToDescriptor(file), at + done, count - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return EIO;
    done += static_cast<size_t>(n);
  }
  return 0;
}

int WriteSome(FileHandle file, const void* buffer, size_t count, size_t& written) {
  ssize_t n;
  do {
    n = ::write(ToDescriptor(file), buffer, count);
  } while (n < 0 && errno == EINTR);
  if (n < 0) return errno;
  // A regular file never takes nothing of a non-empty write; if it did,
  // the caller's loop would spin.
  if (n == 0 && count > 0) return EIO;
  written = static_cast<size_t>(n);
  return 0;
}

void CloseFile(FileHandle file) {
  // Not retried on EINTR: Linux releases the descriptor either way.
  ::close(ToDescriptor(file));
}

PathKind GetPathKind(const std::wstring& path) { return KindOf(path, true); }

PathKind GetEntryKind(const std::wstring& path) { return KindOf(path, false); }

int RemoveFile(const std::wstring& path) {
  std::string bytes;
  if (const int error = ToSystemPath(path, bytes)) return error;
  struct stat st;
  if (lstat(bytes.c_str(), &st) != 0) return errno;
  if (S_ISDIR(st.st_mode)) return EISDIR;
  if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) return EPERM;
  return unlink(bytes.c_str()) == 0 ? 0 : errno;
}

int CreateDirectories(const std::wstring& path) {
  std::string bytes;
  if (const int error = ToSystemPath(path, bytes)) return error;
  // Every prefix that ends a step, from the top down.
  for (size_t i = 1; i <= bytes.size(); ++i) {
    if ((i < bytes.size() && bytes[i] != '/') || bytes[i - 1] == '/') continue;
    const std::string level = bytes.substr(0, i);
    struct stat st;
    if (stat(level.c_str(), &st) == 0) {
      if (!S_ISDIR(st.st_mode)) return ENOTDIR;
      continue;
    }
    if (mkdir(level.c_str(), 0777) != 0) {
      const int error = errno;
      // Someone else may have made it meanwhile.
      if (error == EEXIST && stat(level.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) continue;
      return error;
    }
  }
  return 0;
}

bool IsSameFile(const std::wstring& a, const std::wstring& b) {
  struct stat first, second;
  return StatPath(a, first, true) == 0 && StatPath(b, second, true) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::wstring GetFullPath(const std::wstring& path) {
  if (path.empty()) return {};
  std::wstring joined = path;
  if (path[0] != L'/') {
    const std::wstring current = CurrentFolder();
    if (current.empty()) return {};
    joined = current + L"/" + path;
  }
  std::vector<std::wstring_view> steps;
  const std::wstring_view text(joined);
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find(L'/', start);
    if (end == std::wstring_view::npos) end = text.size();
    const std::wstring_view step = text.substr(start, end - start);
    if (step == L"..") {
      if (!steps.empty()) steps.pop_back();
    } else if (!step.empty() && step != L".") {
      steps.push_back(step);
    }
    start = end + 1;
  }
  std::wstring full;
  for (const auto& step : steps) {
    full += L'/';
    full += step;
  }
  if (full.empty() || path.back() == L'/') full += L'/';
  return full;
}

std::wstring GetProgramFilePath() {
  return ReadGrowing([](char* buffer, size_t size) -> ssize_t {
    const ssize_t n = readlink("/proc/self/exe", buffer, size);
    // A result that fills the buffer may have been cut: ask for more room.
    if (n >= 0 && static_cast<size_t>(n) == size) {
      errno = ERANGE;
      return -1;
    }
    return n;
  });
}

}  // namespace tarnwick::platform
