#include <future>

#include <gtest/gtest.h>

#include "foundation/sync/locker.h"
#include "foundation/sync/safe_data.h"

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

TEST(SafeData, LocksItsMemberThroughTheInterface) {
  internal::SafeData<Locker, int> data(41);
  ILockable& lockable = data;
  lockable.Lock();
  ++data.value;
  EXPECT_FALSE(TryLockElsewhere(data.locker));
  lockable.Unlock();
  EXPECT_TRUE(TryLockElsewhere(data.locker));
  EXPECT_EQ(data.value, 42);

  internal::SafeData<Locker, void*> handle;
  EXPECT_EQ(handle.value, nullptr);
}

}  // namespace
}  // namespace tarnwick::sync
