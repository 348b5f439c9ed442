#include "foundation/platform/files.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <stdexcept>
#include <string>

#include "foundation/platform/errors.h"
#include "foundation/platform/text.h"

namespace tarnwick::platform {
namespace {

// Descriptor + 1, so that descriptor 0 is not mistaken for "no file".
FileHandle ToHandle(int fd) { return reinterpret_cast<FileHandle>(static_cast<intptr_t>(fd) + 1); }
int ToDescriptor(FileHandle file) { return static_cast<int>(reinterpret_cast<intptr_t>(file) - 1); }

bool Fail(int error) {
  SetLastError(static_cast<uint32_t>(error));
  return false;
}

// Share modes have no POSIX counterpart: other processes may read and
// write the file whatever we open it for, so none are asked for here.
bool OpenPath(const wchar_t* path, int flags, int& fd) {
  std::string bytes;
  try {
    bytes = EncodeSystemText(path);
  } catch (const std::range_error&) {
    return Fail(EILSEQ);  // no file can carry such a name
  }
  do {
    fd = ::open(bytes.c_str(), flags, 0600);
  } while (fd < 0 && errno == EINTR);
  return fd >= 0 || Fail(errno);
}

// Closes a descriptor that failed a check, keeping the check's reason.
bool Refuse(int fd, int error) {
  ::close(fd);
  return Fail(error);
}

}  // namespace

bool OpenForReading(const wchar_t* path, FileHandle& file) {
  // Non-blocking: a FIFO without a writer would otherwise hang the open,
  // and with it Ctrl+C. Linux opens folders, pipes and devices readily, so
  // only what fstat calls a regular file is kept.
  int fd = -1;
  if (!OpenPath(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, fd)) return false;
  struct stat st;
  if (::fstat(fd, &st) != 0) return Refuse(fd, errno);
  if (S_ISDIR(st.st_mode)) return Refuse(fd, EISDIR);
  if (!S_ISREG(st.st_mode)) return Refuse(fd, EINVAL);
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) return Refuse(fd, errno);
  file = ToHandle(fd);
  return true;
}

bool OpenForAppending(const wchar_t* path, FileHandle& file) {
  // O_APPEND stands for a seek to the end before every write, without the
  // gap between the two. New files are 0600: decrypted output is plaintext.
  int fd = -1;
  if (!OpenPath(path, O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC | O_NOCTTY, fd)) return false;
  file = ToHandle(fd);
  return true;
}

bool FileSize(FileHandle file, int64_t& size) {
  struct stat st;
  if (::fstat(ToDescriptor(file), &st) != 0) return Fail(errno);
  size = static_cast<int64_t>(st.st_size);
  return true;
}

bool ReadExact(FileHandle file, void* buffer, size_t count, size_t& done) {
  auto* at = static_cast<unsigned char*>(buffer);
  done = 0;
  while (done < count) {
    const ssize_t n = ::read(ToDescriptor(file), at + done, count - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Fail(errno);
    }
    if (n == 0) return Fail(EIO);
    done += static_cast<size_t>(n);
  }
  return true;
}

bool WriteSome(FileHandle file, const void* buffer, size_t count, size_t& written) {
  ssize_t n;
  do {
    n = ::write(ToDescriptor(file), buffer, count);
  } while (n < 0 && errno == EINTR);
  if (n < 0) return Fail(errno);
  // A regular file never takes nothing of a non-empty write; if it did,
  // the caller's loop would spin.
  if (n == 0 && count > 0) return Fail(EIO);
  written = static_cast<size_t>(n);
  return true;
}

void CloseFile(FileHandle file) {
  // Not retried on EINTR: Linux releases the descriptor either way.
  ::close(ToDescriptor(file));
}

}  // namespace tarnwick::platform
