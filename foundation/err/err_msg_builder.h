#pragma once

#include <cstdint>
#include <string>

#include "foundation/gen/result.h"

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
  void BuildErrorText(const std::wstring& defaultText, const gen::Result& p1,
                      const gen::Result& p2, const gen::Result& p3, std::wstring& out) const;

  std::wstring GetErrorText(const gen::Result2& r) const;
  std::wstring GetErrorText(const gen::Result& r) const;
};

}  // namespace tarnwick::err::internal
