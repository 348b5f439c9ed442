#include "foundation/err/trim.h"

#include <cwctype>

namespace tarnwick::err {
namespace {

bool IsSpace(wchar_t c) { return std::iswspace(static_cast<wint_t>(c)) != 0; }

}  // namespace

void TrimSpaces(std::wstring& s) {
  size_t front = 0;
  while (front < s.size() && IsSpace(s[front])) ++front;
  size_t end = s.size();
  while (end > front && IsSpace(s[end - 1])) --end;
  s.erase(end);
  s.erase(0, front);
}

}  // namespace tarnwick::err
