#pragma once

#include <string>

#include "foundation/gen/result.h"

namespace tarnwick::err {

// Code lists such as "5/60,1/112": each pair as kind "/" code, the first
// always, a later one after "," only when its code is not 0. Numbers are
// written as signed 32-bit decimals by a string stream made at the call,
// so the global locale's digit grouping applies ("5/4,006").
std::wstring FormatErrorCodes(const gen::Result& p1);
std::wstring FormatErrorCodes(const gen::Result& p1, const gen::Result& p2);
std::wstring FormatErrorCodes(const gen::Result& p1, const gen::Result& p2, const gen::Result& p3);

// The narrow list of a record's two pairs, for narrow console lines.
std::string FormatErrorCodesA(const gen::Result2& r);

}  // namespace tarnwick::err
