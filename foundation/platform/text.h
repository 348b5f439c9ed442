#pragma once

#include <string>
#include <string_view>

namespace tarnwick::platform {

// The one conversion between the system's bytes (arguments, file names,
// console, password) and wide strings, whatever the locale: UTF-8, where a
// byte that is not part of valid UTF-8 becomes the lone surrogate
// U+DC80 + (byte - 0x80) and turns back into that byte. Every byte string
// survives the round trip, so every file name stays reachable.
std::wstring DecodeSystemText(std::string_view bytes);

// Throws std::range_error for a code point UTF-8 cannot carry (above
// U+10FFFF, or a surrogate that is not an escaped byte).
std::string EncodeSystemText(std::wstring_view text);

// For console output only: code points that cannot be encoded become '?'.
std::string EncodeSystemTextLossy(std::wstring_view text);

}  // namespace tarnwick::platform
