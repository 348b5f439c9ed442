#pragma once

#include <string>

namespace tarnwick::err {

// Removes white space (iswspace of the C library's current locale) at both
// ends, in place; the middle is never touched.
void TrimSpaces(std::wstring& s);

}  // namespace tarnwick::err
