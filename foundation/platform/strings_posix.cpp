#include "foundation/platform/strings.h"

#include <cwctype>

namespace tarnwick::platform {
namespace {

wint_t Fold(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return static_cast<wint_t>(c - L'A' + L'a');
  if (c < 0x80) return static_cast<wint_t>(c);
  return std::towlower(static_cast<wint_t>(c));
}

}  // namespace

int CompareNoCase(std::wstring_view a, std::wstring_view b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const wint_t x = Fold(a[i]), y = Fold(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

}  // namespace tarnwick::platform
