#include <chrono>
#include <cstdint>
#include <thread>

#include <gtest/gtest.h>

#include "foundation/platform/platform.h"

namespace {

// Progress pacing relies on milliseconds: a count in seconds or
// microseconds would report far too seldom or far too often.
TEST(TickCount, CountsMilliseconds) {
  const uint32_t before = tarnwick::platform::TickCount();
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  const uint32_t elapsed = tarnwick::platform::TickCount() - before;
  EXPECT_GE(elapsed, 29u);
  EXPECT_LT(elapsed, 5000u);
}

}  // namespace
