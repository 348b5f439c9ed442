#include "app/paths.h"

#include <cwctype>
#include <string_view>

#include "app/constants.h"
#include "foundation/platform/platform.h"

namespace thisapp {
namespace {

namespace platform = tarnwick::platform;

constexpr wchar_t kSeparator = L'/';
constexpr std::wstring_view kParentStep = L"../";

// Where the last component begins: after the last separator.
size_t NameStart(std::wstring_view path) {
  const size_t slash = path.rfind(kSeparator);
  return slash == std::wstring_view::npos ? 0 : slash + 1;
}

bool StartsWithParentStep(std::wstring_view path) {
  return path.substr(0, kParentStep.size()) == kParentStep;
}

}  // namespace

bool SplitPath(const wchar_t* path, std::wstring& folder, std::wstring& name,
               std::wstring& extension) {
  if (path == nullptr || *path == L'\0') return false;
  const std::wstring_view text(path);
  const size_t nameStart = NameStart(text);
  size_t dot = text.rfind(L'.');
  if (dot == std::wstring_view::npos || dot < nameStart) dot = text.size();
  folder = text.substr(0, nameStart);
  name = text.substr(nameStart, dot - nameStart);
  extension = dot < text.size() ? text.substr(dot + 1) : std::wstring_view();
  return true;
}

std::wstring GetFolderPath(const std::wstring& path) { return path.substr(0, NameStart(path)); }

std::wstring GetFileName(const std::wstring& path) { return path.substr(NameStart(path)); }

std::wstring GetParentPath(const std::wstring& path) {
  bool nameSeen = false;
  for (size_t i = path.size(); i-- > 0;) {
    const wchar_t c = path[i];
    if (c != kSeparator) {
      if (!std::iswspace(static_cast<wint_t>(c))) nameSeen = true;
      continue;
    }
    if (!nameSeen) continue;
    // A separator in front is the root: "/in.txt" lives in "/".
    if (i == 0) return std::wstring(1, kSeparator);
    std::wstring parent = path.substr(0, i);
    if (parent.back() != kSeparator) parent += kSeparator;
    return parent;
  }
  return {};
}

std::wstring& JoinPath(std::wstring& path, const std::wstring& tail) {
  if (!path.empty()) {
    const size_t last = path.find_last_not_of(kSeparator);
    const size_t trailing = path.size() - (last == std::wstring::npos ? 0 : last + 1);
    if (trailing == 0) {
      path += kSeparator;
    } else {
      path.resize(path.size() - trailing + 1);
    }
  }
  const size_t first = tail.find_first_not_of(kSeparator);
  if (first != std::wstring::npos) path.append(tail, first, std::wstring::npos);
  return path;
}

std::wstring GetModuleFilePath() { return platform::GetProgramFilePath(); }

std::wstring GetModuleFolder() { return GetFolderPath(GetModuleFilePath()); }

std::wstring MakeDefaultOutputPath(bool encrypt, const std::wstring& inputPath) {
  if (inputPath.empty()) return {};
  // The input's own folder, not its textual parent: a name of blanks only
  // would make the parent skip that name and place the output one level up.
  std::wstring output = GetFolderPath(inputPath);
  JoinPath(output, GetFileName(inputPath));
  output += encrypt ? kEncryptedSuffix : kDecryptedSuffix;
  return output;
}

std::wstring ResolvePath(const std::wstring& path) {
  if (path.empty()) return {};
  if (platform::GetPathKind(path) == platform::PathKind::kFile) return path;
  if (GetFolderPath(path).empty()) {
    std::wstring resolved = GetModuleFolder();
    return JoinPath(resolved, path);
  }
  if (!StartsWithParentStep(path)) return path;
  std::wstring base = GetParentPath(GetModuleFolder());
  std::wstring_view rest = std::wstring_view(path).substr(kParentStep.size());
  while (StartsWithParentStep(rest)) {
    base = GetParentPath(base);
    rest.remove_prefix(kParentStep.size());
  }
  // Climbing above the root is left to MakeFullPath, which stops there.
  if (base.empty()) return path;
  return JoinPath(base, std::wstring(rest));
}

bool IsAbsolutePath(const std::wstring& path) { return !path.empty() && path[0] == kSeparator; }

std::wstring MakeFullPath(const std::wstring& baseFolder, const std::wstring& path) {
  if (path.empty() || IsAbsolutePath(path)) return path;
  std::wstring joined = baseFolder;
  JoinPath(joined, path);
  std::wstring full = platform::GetFullPath(joined);
  return full.empty() ? joined : full;
}

}  // namespace thisapp
