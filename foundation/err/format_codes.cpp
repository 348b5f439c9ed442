#include "foundation/err/format_codes.h"

#include <cstdint>
#include <initializer_list>
#include <sstream>

namespace tarnwick::err {
namespace {

// Built fresh on every call: the stream takes the global locale of now.
template <typename Char>
std::basic_string<Char> FormatPairs(std::initializer_list<gen::Result> pairs) {
  std::basic_ostringstream<Char> out;
  bool first = true;
  for (const gen::Result& p : pairs) {
    if (!first) {
      if (p.code == 0) continue;
      out << Char(',');
    }
    first = false;
    out << static_cast<int32_t>(p.kind) << Char('/') << static_cast<int32_t>(p.code);
  }
  return out.str();
}

}  // namespace

std::wstring FormatErrorCodes(const gen::Result& p1) { return FormatPairs<wchar_t>({p1}); }

std::wstring FormatErrorCodes(const gen::Result& p1, const gen::Result& p2) {
  return FormatPairs<wchar_t>({p1, p2});
}

std::wstring FormatErrorCodes(const gen::Result& p1, const gen::Result& p2,
                              const gen::Result& p3) {
  return FormatPairs<wchar_t>({p1, p2, p3});
}

std::string FormatErrorCodesA(const gen::Result2& r) {
  return FormatPairs<char>({{r.kind, r.code}, {r.ctxKind, r.ctxCode}});
}

}  // namespace tarnwick::err
