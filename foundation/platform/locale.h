#pragma once

#include <string>

namespace tarnwick::platform {

// Setting the global locale here sets the C library's locale too, so
// printf-style number formatting and towlower follow it; streams that exist
// already keep the locale they were made with.

// Makes the user's default locale (from the environment; "C" when none is
// set) the global locale. Throws std::runtime_error when the environment
// names a locale that is not installed.
void SetUserDefaultLocale();

// The locale that a "/locale" name stands for: a country name of the help
// text ("deu", "germany", ... case ignored) gives that country's UTF-8
// locale ("de_DE.UTF-8"); any other name comes back as it is.
std::string MapLocaleName(const std::string& name);

// Makes the locale of MapLocaleName(name) the global locale. Throws
// std::runtime_error when it is not installed.
void SetGlobalLocale(const std::string& name);

}  // namespace tarnwick::platform
