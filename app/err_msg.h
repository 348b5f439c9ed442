#pragma once

#include <cstdint>
#include <string>

#include "foundation/err/err_text.h"

namespace thisapp {

// Error texts with the system's message for kind 1 (errno values).
class CErrMsg : public tarnwick::err::internal::CErrMsgBuilder<wchar_t> {
 public:
  // Kind 1: the system text, answering true even when it is empty.
  bool Describe(uint32_t kind, uint32_t code, std::wstring& text) const override;
};

}  // namespace thisapp
