#pragma once

#include <cstdint>
#include <string>

namespace tarnwick::platform {

// The calling thread's last error number (an errno value), set by this
// layer's calls when they fail. Kept apart from errno so that library
// calls made after the failure cannot overwrite it.
uint32_t LastError();
void SetLastError(uint32_t code);

// The C library's message for an error number, untrimmed; empty for a
// number that has no message of its own.
std::wstring ErrorMessage(uint32_t code);

}  // namespace tarnwick::platform
