// Arbitrary text into the path functions: the input split at its first NUL
// into two texts, each decoded as the program decodes file names, and each
// checked as a path with the other as the tail to join. The functions must
// not fail and must keep the simple promises their callers build on.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/constants.h"
#include "app/paths.h"
#include "foundation/platform/platform.h"
#include "fuzz/require.h"

namespace {

using namespace thisapp;
using tarnwick::platform::DecodeSystemText;

// Without its trailing slashes (npos + 1 is 0: nothing is left of slashes only).
std::wstring Trimmed(const std::wstring& text) {
  return text.substr(0, text.find_last_not_of(L'/') + 1);
}

void Check(const std::wstring& path, const std::wstring& tail) {
  const std::wstring name = GetFileName(path);
  Require(GetFolderPath(path) + name == path && name.find(L'/') == std::wstring::npos,
          "folder and name");
  const std::wstring parent = GetParentPath(path);
  Require(parent.empty() ||
              (parent.size() < path.size() && parent.back() == L'/' && path.rfind(parent, 0) == 0),
          "the parent is no proper prefix ending in '/'");
  std::wstring joined = path;
  const std::wstring expected = (path.empty() ? L"" : Trimmed(path) + L'/') +
                                tail.substr(std::min(tail.find_first_not_of(L'/'), tail.size()));
  Require(&JoinPath(joined, tail) == &joined && joined == expected,
          "not exactly one '/' between head and tail");
  for (const bool encrypt : {true, false}) {
    const std::wstring output = MakeDefaultOutputPath(encrypt, path);
    Require(path.empty()
                ? output.empty()
                : GetFileName(output) == name + (encrypt ? kEncryptedSuffix : kDecryptedSuffix) &&
                      Trimmed(GetFolderPath(output)) == Trimmed(GetFolderPath(path)),
            "the output is not the input's name with the suffix, in its folder");
  }
  const std::wstring full = MakeFullPath(L"/fuzz/base/", path);
  if (path.empty() || path[0] == L'/') {
    Require(full == path && IsAbsolutePath(path) == !path.empty(), "an absolute path");
    return;
  }
  // No empty, "." or ".." step is left; one '/' at the end may stay.
  const std::wstring steps =
      (full.size() > 1 && full.back() == L'/' ? full.substr(0, full.size() - 1) : full) + L'/';
  Require(!IsAbsolutePath(path) && IsAbsolutePath(full), "a relative path made no absolute one");
  for (const wchar_t* loose : {L"//", L"/./", L"/../"}) {
    Require(steps == L"//" || steps.find(loose) == std::wstring::npos,
            "a loose step in a full path");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t cut = std::min(input.find('\0'), input.size());
  const std::wstring first = DecodeSystemText(input.substr(0, cut));
  const std::wstring second = DecodeSystemText(input.substr(std::min(cut + 1, input.size())));
  Check(first, second);
  Check(second, first);
  return 0;
}
