#include <future>

#include <gtest/gtest.h>

#include "foundation/sync/locks.h"

namespace tarnwick::sync {
namespace {

// TryLock from a thread of its own; never waits.
bool TryLockElsewhere(ILockable& lock) {
  return std::async(std::launch::async, [&lock] {
           const bool taken = lock.TryLock();
           if (taken) lock.Unlock();
           return taken;
         }).get();
}

TEST(Locker, RecursiveHoldKeepsOtherThreadsOutUntilFullyReleased) {
  Locker locker;
  locker.Lock();
  EXPECT_TRUE(locker.TryLock());  // the holder may take it again
  locker.Lock();
  EXPECT_FALSE(TryLockElsewhere(locker));
  locker.Unlock();
  locker.Unlock();
  EXPECT_FALSE(TryLockElsewhere(locker));  // still held once
  locker.Unlock();
  EXPECT_TRUE(TryLockElsewhere(locker));
}

}  // namespace
}  // namespace tarnwick::sync
