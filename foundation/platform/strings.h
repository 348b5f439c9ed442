#pragma once

#include <string_view>

namespace tarnwick::platform {

// Case-insensitive comparison of wide texts (<0, 0, >0): ASCII letters fold
// by ASCII rules whatever the locale (so 'I' matches 'i' under a Turkish
// locale too), other letters by the C library's current locale.
int CompareNoCase(std::wstring_view a, std::wstring_view b);

}  // namespace tarnwick::platform
