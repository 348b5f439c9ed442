#include "foundation/platform/console.h"

#include <iostream>

#include "foundation/platform/text.h"

namespace tarnwick::platform {

WideConsole& WideConsole::operator<<(std::wstring_view text) {
  std::cout << EncodeSystemTextLossy(text);
  return *this;
}

WideConsole& WideOut() {
  static WideConsole console;
  return console;
}

}  // namespace tarnwick::platform
