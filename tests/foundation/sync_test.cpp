#include <future>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/sync/locker.h"
#include "foundation/sync/safe_data.h"
#include "foundation/sync/safe_value.h"

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

TEST(SafeValue, KeepsConcurrentUpdatesWhole) {
  struct Pair {
    int a = 0;
    int b = 0;
  };
  SafeValue<Pair> shared;
  SafeValue<int> counter;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&shared, &counter, t] {
      for (int i = 0; i < 500; ++i) {
        shared.Set({t, t});
        const Pair seen = shared.Get();
        EXPECT_EQ(seen.a, seen.b);
        counter.locker.Lock();
        ++counter.value;
        counter.locker.Unlock();
      }
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(counter.Get(), 2000);
}

}  // namespace
}  // namespace tarnwick::sync
