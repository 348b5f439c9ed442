#include "foundation/err/system_error_text.h"

#include "foundation/err/trim.h"
#include "foundation/platform/errors.h"

namespace tarnwick::err {

std::wstring GetSystemErrorText(uint32_t code) {
  std::wstring text = platform::ErrorMessage(code);
  TrimSpaces(text);
  return text;
}

}  // namespace tarnwick::err
