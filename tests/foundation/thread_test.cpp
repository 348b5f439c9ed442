// Locks and guarded values, and the worker thread.
#include <atomic>
#include <future>
#include <stdexcept>

#include <gtest/gtest.h>

#include "foundation/err/codes.h"
#include "foundation/sync/locks.h"
#include "foundation/thread/thread.h"

namespace tarnwick {
namespace {

using gen::Result;
using namespace thread;

// TryLock from a thread of its own; never waits.
bool TryLockElsewhere(sync::ILockable& lock) {
  return std::async(std::launch::async, [&lock] {
           const bool taken = lock.TryLock();
           if (taken) lock.Unlock();
           return taken;
         }).get();
}

// The holder may take a lock again; other threads wait until it is fully
// released, also when an access through Locked throws.
TEST(Locker, KeepsOtherThreadsOutUntilFullyReleased) {
  sync::Locker locker;
  locker.Lock();
  EXPECT_TRUE(locker.TryLock());
  EXPECT_FALSE(TryLockElsewhere(locker));
  locker.Unlock();
  EXPECT_FALSE(TryLockElsewhere(locker));  // still held once
  locker.Unlock();
  EXPECT_TRUE(TryLockElsewhere(locker));
  sync::internal::SafeData<sync::Locker, int> holder(7);
  EXPECT_THROW(sync::Locked(holder, [](int&) -> int { throw std::runtime_error("no"); }),
               std::runtime_error);
  EXPECT_TRUE(TryLockElsewhere(holder));
}

// A job that records its call, waits until released and then answers,
// or throws when told to.
class Job : public IRunnable {
 public:
  Result Run(uint32_t, int64_t argument) override {
    argument_ = argument;
    ++runs_;
    released_.wait();
    if (throws_) throw std::runtime_error("job failed");
    return {5, 4021};
  }

  std::promise<void> gate_;
  std::shared_future<void> released_ = gate_.get_future().share();
  bool throws_ = false;
  std::atomic<int64_t> argument_{-1};
  std::atomic<int> runs_{0};
};

class ThreadRun : public ::testing::Test {
 protected:
  void SetUp() override { thread_.SetRunnable(&job_); }
  Job job_;
  Thread thread_;
};

// An exception from Run is a failure and frees the thread.
TEST_F(ThreadRun, BusyThreadRefusesStartThenKeepsTheAnswerOrTheThrow) {
  EXPECT_EQ(thread_.Wait(250), kWaitNothing);  // nothing started yet
  ASSERT_EQ(thread_.Start(), (Result{0, 0}));
  EXPECT_TRUE(thread_.IsRunning());
  EXPECT_EQ(thread_.Start(6), (Result{5, err::kCodeThreadBusy}));
  EXPECT_EQ(thread_.Wait(20), kWaitTimedOut);
  job_.gate_.set_value();
  EXPECT_EQ(thread_.Wait(), kWaitFinished);
  EXPECT_FALSE(thread_.IsRunning());
  EXPECT_EQ(thread_.GetResult(), (Result{5, 4021}));

  job_.throws_ = true;
  ASSERT_EQ(thread_.Start(), (Result{0, 0}));
  EXPECT_EQ(thread_.Wait(), kWaitFinished);
  EXPECT_FALSE(thread_.IsRunning());
  EXPECT_EQ(thread_.GetResult(), (Result{5, err::kCodeRunThrew}));
}

}  // namespace
}  // namespace tarnwick
