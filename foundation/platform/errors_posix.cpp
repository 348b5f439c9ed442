#include "foundation/platform/errors.h"

#include <string.h>

#include "foundation/platform/text.h"

namespace tarnwick::platform {

std::wstring ErrorMessage(uint32_t code) {
  const int number = static_cast<int>(code);
  // A number without a name is one the C library only calls "Unknown
  // error N" (in the message language): that is no message.
  if (number < 0 || strerrorname_np(number) == nullptr) return std::wstring();
  char buffer[256];
  // The GNU strerror_r answers a pointer that need not be `buffer`.
  const char* text = strerror_r(number, buffer, sizeof buffer);
  return text ? DecodeSystemText(text) : std::wstring();
}

}  // namespace tarnwick::platform
