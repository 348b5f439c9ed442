#include "foundation/platform/filesystem.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "foundation/platform/text.h"

namespace tarnwick::platform {
namespace {

// The bytes the kernel sees; false for a wide path no byte string can
// carry (it can name no file).
bool ToSystemPath(const std::wstring& path, std::string& bytes) {
  try {
    bytes = EncodeSystemText(path);
    return true;
  } catch (const std::range_error&) {
    return false;
  }
}

bool StatPath(const std::wstring& path, struct stat& st) {
  std::string bytes;
  return !path.empty() && ToSystemPath(path, bytes) && stat(bytes.c_str(), &st) == 0;
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

uint32_t GetPathAttributes(const std::wstring& path) {
  struct stat st;
  if (!StatPath(path, st)) return kAttrInvalid;
  return S_ISDIR(st.st_mode) ? kAttrFolder : kAttrNormal;
}

int RemoveFile(const std::wstring& path) {
  std::string bytes;
  if (path.empty()) return ENOENT;
  if (!ToSystemPath(path, bytes)) return EINVAL;
  struct stat st;
  if (lstat(bytes.c_str(), &st) != 0) return errno;
  if (S_ISDIR(st.st_mode)) return EISDIR;
  if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) return EPERM;
  return unlink(bytes.c_str()) == 0 ? 0 : errno;
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

bool IsSameFile(const std::wstring& a, const std::wstring& b) {
  struct stat first, second;
  return StatPath(a, first) && StatPath(b, second) && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

int CreateDirectories(const std::wstring& path) {
  std::string bytes;
  if (path.empty()) return ENOENT;
  if (!ToSystemPath(path, bytes)) return EINVAL;
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

}  // namespace tarnwick::platform
