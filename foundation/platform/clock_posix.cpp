#include "foundation/platform/clock.h"

#include <time.h>

namespace tarnwick::platform {

uint32_t TickCount() {
  timespec now{};
  // CLOCK_MONOTONIC cannot fail with a valid address; it ignores changes
  // of the wall clock, which would otherwise stall or rush the pacing.
  clock_gettime(CLOCK_MONOTONIC, &now);
  const uint64_t ms =
      static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
  return static_cast<uint32_t>(ms);
}

}  // namespace tarnwick::platform
