#pragma once

#include <string>
#include <string_view>

namespace tarnwick::platform {

// The wide console stream. Narrow texts go to std::cout; wide texts come
// here and are written, converted, through std::cout too, so both reach
// standard output in call order. Nothing writes to std::wcout.
class WideConsole {
 public:
  WideConsole& operator<<(std::wstring_view text);
  WideConsole& operator<<(const wchar_t* text) { return *this << std::wstring_view(text); }
  WideConsole& operator<<(const std::wstring& text) { return *this << std::wstring_view(text); }
};

WideConsole& WideOut();

}  // namespace tarnwick::platform
