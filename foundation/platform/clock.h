#pragma once

#include <cstdint>

namespace tarnwick::platform {

// Milliseconds of a monotonic clock, cut to 32 bits: it wraps about every
// 49.7 days, so compare tick counts in unsigned 32-bit arithmetic.
uint32_t TickCount();

}  // namespace tarnwick::platform
