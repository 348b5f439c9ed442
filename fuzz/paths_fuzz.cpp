// Arbitrary strings into the path functions. The input is split at its
// first NUL byte into a path and a second text (the tail of a join); both
// are decoded as the program decodes file names. The functions must not
// fail and must keep the simple promises their callers build on.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/constants.h"
#include "app/paths.h"
#include "foundation/platform/platform.h"

namespace {

using namespace thisapp;

constexpr wchar_t kSlash = L'/';
const std::wstring kBase = L"/fuzz/base/";

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "paths_fuzz: %s\n", what);
  std::abort();
}

bool StartsWith(const std::wstring& text, const std::wstring& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::wstring& text, const std::wstring& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::wstring TrimTrailingSlashes(const std::wstring& text) {
  const size_t last = text.find_last_not_of(kSlash);
  return last == std::wstring::npos ? std::wstring() : text.substr(0, last + 1);
}

void CheckPieces(const std::wstring& path) {
  const std::wstring folder = GetFolderPath(path);
  const std::wstring name = GetFileName(path);
  Require(folder + name == path, "folder and name do not make the path");
  Require(name.find(kSlash) == std::wstring::npos, "a name with a separator");
  Require(folder.empty() || folder.back() == kSlash, "a folder without its separator");

  // SplitPath stops at the first NUL, as every wide C string does.
  const std::wstring cString(path.c_str());
  std::wstring splitFolder, splitName, extension;
  const bool split = SplitPath(cString.c_str(), splitFolder, splitName, extension);
  Require(split == !cString.empty(), "SplitPath refused a path or took an empty one");
  if (split) {
    Require(splitFolder == GetFolderPath(cString), "SplitPath found another folder");
    Require(
        splitFolder + splitName == cString || splitFolder + splitName + L"." + extension == cString,
        "SplitPath pieces do not make the path");
    Require(extension.find(kSlash) == std::wstring::npos, "an extension with a separator");
  }
}

void CheckParent(const std::wstring& path) {
  const std::wstring parent = GetParentPath(path);
  if (parent.empty()) return;
  Require(parent.size() < path.size(), "a parent no shorter than its path");
  Require(parent.back() == kSlash, "a parent without its separator");
  Require(StartsWith(path, parent), "a parent that is not a prefix of its path");
}

void CheckJoin(const std::wstring& path, const std::wstring& tail) {
  std::wstring joined = path;
  Require(&JoinPath(joined, tail) == &joined, "JoinPath answered another string");
  const size_t tailStart = tail.find_first_not_of(kSlash);
  const std::wstring tailText = tailStart == std::wstring::npos ? L"" : tail.substr(tailStart);
  Require(EndsWith(joined, tailText), "the joined path lost its tail");
  Require(StartsWith(joined, TrimTrailingSlashes(path)), "the joined path lost its head");
  if (!path.empty()) {
    const std::wstring head = TrimTrailingSlashes(path) + kSlash;
    Require(joined == head + tailText, "not exactly one separator between head and tail");
  } else {
    Require(joined == tailText, "a separator in front of a bare tail");
  }
}

void CheckDefaultOutput(const std::wstring& path) {
  for (const bool encrypt : {true, false}) {
    const std::wstring output = MakeDefaultOutputPath(encrypt, path);
    if (path.empty()) {
      Require(output.empty(), "an output for no input");
      continue;
    }
    const std::wstring& suffix = encrypt ? kEncryptedSuffix : kDecryptedSuffix;
    Require(GetFileName(output) == GetFileName(path) + suffix, "the output's name");
    Require(StartsWith(output, TrimTrailingSlashes(GetFolderPath(path))),
            "the output left the input's folder");
  }
}

void CheckFullPath(const std::wstring& path) {
  Require(IsAbsolutePath(path) == (!path.empty() && path[0] == kSlash), "IsAbsolutePath");
  const std::wstring full = MakeFullPath(kBase, path);
  if (path.empty() || IsAbsolutePath(path)) {
    Require(full == path, "an absolute or empty path was changed");
    return;
  }
  Require(IsAbsolutePath(full), "a full path that is not absolute");
  // Normalised: no empty, "." or ".." steps are left (a '/' at the end
  // may stay).
  const std::wstring body =
      full.size() > 1 && full.back() == kSlash ? full.substr(0, full.size() - 1) : full;
  for (size_t start = 1; start <= body.size() && body != L"/";) {
    size_t end = body.find(kSlash, start);
    if (end == std::wstring::npos) end = body.size();
    const std::wstring step = body.substr(start, end - start);
    Require(!step.empty() && step != L"." && step != L"..", "a full path with a loose step");
    start = end + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t cut = input.find('\0');
  const std::wstring path = tarnwick::platform::DecodeSystemText(input.substr(0, cut));
  const std::wstring tail = cut == std::string_view::npos
                                ? std::wstring()
                                : tarnwick::platform::DecodeSystemText(input.substr(cut + 1));
  CheckPieces(path);
  CheckPieces(tail);
  CheckParent(path);
  CheckJoin(path, tail);
  CheckJoin(tail, path);
  CheckDefaultOutput(path);
  CheckFullPath(path);
  CheckFullPath(tail);
  return 0;
}
