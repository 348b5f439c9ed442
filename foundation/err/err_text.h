#pragma once

#include <cstdint>
#include <string>

#include "foundation/gen/result.h"

// Error texts: result records turned into the one line a user reads, and
// the small text helpers that go with them.
namespace tarnwick::err {

// Removes white space (iswspace of the C library's current locale) at both
// ends, in place; the middle is never touched.
void TrimSpaces(std::wstring& s);

// The UTF-8 form of a wide string, by the system text rule: a lone
// surrogate U+DC80..U+DCFF turns back into the byte it stands for.
// Throws std::range_error for a code point UTF-8 cannot carry.
std::string WideToUtf8(const std::wstring& s);

// The system's message for an error number of kind 1, trimmed; empty when
// the system has none. Never fails.
std::wstring GetSystemErrorText(uint32_t code);

// Code lists such as "5/60,1/112": each pair as kind "/" code, the first
// always, a later one after "," only when its code is not 0. Numbers are
// written as signed 32-bit decimals by a string stream made at the call,
// so the global locale's digit grouping applies ("5/4,006").
std::wstring FormatErrorCodes(const gen::Result& p1);
std::wstring FormatErrorCodes(const gen::Result& p1, const gen::Result& p2);
std::wstring FormatErrorCodes(const gen::Result& p1, const gen::Result& p2, const gen::Result& p3);

// The narrow list of a record's two pairs, for narrow console lines.
std::string FormatErrorCodesA(const gen::Result2& r);

}  // namespace tarnwick::err

namespace tarnwick::err::internal {

template <typename Char>
class CErrMsgBuilder;

// Turns result records into one line: a description, a blank, then
// "(error: " with the code list and ")". Describe, supplied by the derived
// class, gives the description of one pair or declines.
template <>
class CErrMsgBuilder<wchar_t> {
 public:
  virtual ~CErrMsgBuilder() = default;

  // Sets `text` and answers true, or answers false and leaves it alone.
  virtual bool Describe(uint32_t kind, uint32_t code, std::wstring& text) const = 0;

  // The first non-empty description among the pairs with a non-zero code
  // (else `defaultText`), then the codes; empty when every code is 0.
  void BuildErrorText(const std::wstring& defaultText, const gen::Result& p1, const gen::Result& p2,
                      const gen::Result& p3, std::wstring& out) const;

  std::wstring GetErrorText(const gen::Result2& r) const;
  std::wstring GetErrorText(const gen::Result& r) const;
};

}  // namespace tarnwick::err::internal
