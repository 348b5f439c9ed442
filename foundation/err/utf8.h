#pragma once

#include <string>

namespace tarnwick::err {

// The UTF-8 form of a wide string, by the system text rule: a lone
// surrogate U+DC80..U+DCFF turns back into the byte it stands for.
// Throws std::range_error for a code point UTF-8 cannot carry.
std::string WideToUtf8(const std::wstring& s);

}  // namespace tarnwick::err
