#pragma once

#include <cstdint>
#include <string>

namespace tarnwick::err {

// The system's message for an error number of kind 1, trimmed; empty when
// the system has none. Never fails.
std::wstring GetSystemErrorText(uint32_t code);

}  // namespace tarnwick::err
