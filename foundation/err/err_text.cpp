#include "foundation/err/err_text.h"

#include <cwctype>
#include <initializer_list>
#include <sstream>

#include "foundation/platform/platform.h"

namespace tarnwick::err {
namespace {

bool IsSpace(wchar_t c) { return std::iswspace(static_cast<wint_t>(c)) != 0; }

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

void TrimSpaces(std::wstring& s) {
  size_t front = 0;
  while (front < s.size() && IsSpace(s[front])) ++front;
  size_t end = s.size();
  while (end > front && IsSpace(s[end - 1])) --end;
  s.erase(end);
  s.erase(0, front);
}

std::string WideToUtf8(const std::wstring& s) { return platform::EncodeSystemText(s); }

std::wstring GetSystemErrorText(uint32_t code) {
  std::wstring text = platform::ErrorMessage(code);
  TrimSpaces(text);
  return text;
}

std::wstring FormatErrorCodes(const gen::Result& p1) { return FormatPairs<wchar_t>({p1}); }

std::wstring FormatErrorCodes(const gen::Result& p1, const gen::Result& p2) {
  return FormatPairs<wchar_t>({p1, p2});
}

std::wstring FormatErrorCodes(const gen::Result& p1, const gen::Result& p2, const gen::Result& p3) {
  return FormatPairs<wchar_t>({p1, p2, p3});
}

std::string FormatErrorCodesA(const gen::Result2& r) {
  return FormatPairs<char>({{r.kind, r.code}, {r.ctxKind, r.ctxCode}});
}

}  // namespace tarnwick::err

namespace tarnwick::err::internal {

void CErrMsgBuilder<wchar_t>::BuildErrorText(const std::wstring& defaultText, const gen::Result& p1,
                                             const gen::Result& p2, const gen::Result& p3,
                                             std::wstring& out) const {
  if (p1.code == 0 && p2.code == 0 && p3.code == 0) {
    out.clear();
    return;
  }
  // One text variable for every call: a pair that declines leaves it as
  // the previous answer left it.
  std::wstring text;
  std::wstring description;
  for (const gen::Result* p : {&p1, &p2, &p3}) {
    if (p->code == 0 || !Describe(p->kind, p->code, text)) continue;
    TrimSpaces(text);
    if (!text.empty()) {
      description = text;
      break;
    }
  }
  if (description.empty()) {
    description = defaultText;
    TrimSpaces(description);
  }
  std::wostringstream line;
  if (!description.empty()) line << description << L' ';
  line << L"(error: " << FormatErrorCodes(p1, p2, p3) << L')';
  out = line.str();
}

std::wstring CErrMsgBuilder<wchar_t>::GetErrorText(const gen::Result2& r) const {
  std::wstring out;
  BuildErrorText(std::wstring(), {r.kind, r.code}, {r.ctxKind, r.ctxCode}, {}, out);
  return out;
}

std::wstring CErrMsgBuilder<wchar_t>::GetErrorText(const gen::Result& r) const {
  std::wstring out;
  BuildErrorText(std::wstring(), r, {}, {}, out);
  return out;
}

}  // namespace tarnwick::err::internal
