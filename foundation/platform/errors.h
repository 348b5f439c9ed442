#pragma once

#include <cstdint>
#include <string>

namespace tarnwick::platform {

// The C library's message for an error number, untrimmed; empty for a
// number that has no message of its own.
std::wstring ErrorMessage(uint32_t code);

}  // namespace tarnwick::platform
