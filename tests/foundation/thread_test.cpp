#include <atomic>
#include <future>
#include <stdexcept>
#include <thread>

#include <gtest/gtest.h>

#include "foundation/err/codes.h"
#include "foundation/thread/thread.h"

namespace tarnwick::thread {
namespace {

using gen::Result;

// A job that records its call and, when gated, waits until released.
class Job : public IRunnable {
 public:
  explicit Job(bool gated = false) {
    if (!gated) gate_.set_value();
  }
  Result Run(uint32_t tag, int64_t argument) override {
    tag_ = tag;
    argument_ = argument;
    ++runs_;
    released_.wait();
    if (throws_) throw std::runtime_error("job failed");
    return answer_;
  }
  void Release() { gate_.set_value(); }

  std::promise<void> gate_;
  std::shared_future<void> released_ = gate_.get_future().share();
  Result answer_{5, 4021};
  bool throws_ = false;
  std::atomic<uint32_t> tag_{0};
  std::atomic<int64_t> argument_{-1};
  std::atomic<int> runs_{0};
};

TEST(Thread, NothingToWaitForWithoutARun) {
  Thread thread;
  EXPECT_EQ(thread.Wait(250), kWaitNothing);
  EXPECT_EQ(thread.Wait(), kWaitNothing);
  EXPECT_EQ(thread.Start(), (Result{5, err::kCodeNoRunnable}));
  EXPECT_FALSE(thread.IsRunning());
  EXPECT_EQ(thread.Wait(0), kWaitNothing);
}

TEST(Thread, RunHandsOverTagAndArgumentAndKeepsTheAnswer) {
  Job job;
  Thread thread;
  thread.SetRunnable(&job);
  ASSERT_EQ(thread.Start(), (Result{0, 0}));
  EXPECT_EQ(thread.Wait(), kWaitFinished);
  EXPECT_FALSE(thread.IsRunning());
  EXPECT_EQ(thread.Wait(0), kWaitFinished);
  EXPECT_EQ(thread.GetResult(), (Result{5, 4021}));
  EXPECT_EQ(job.tag_, 1u);
  EXPECT_EQ(job.argument_, 0);
}

TEST(Thread, BusyThreadRefusesStartAndTimesOutWaits) {
  Job job(true);
  Thread thread;
  thread.SetRunnable(&job);
  ASSERT_EQ(thread.Start(5), (Result{0, 0}));
  EXPECT_TRUE(thread.IsRunning());
  EXPECT_EQ(thread.Start(6), (Result{5, err::kCodeThreadBusy}));
  EXPECT_EQ(thread.Wait(20), kWaitTimedOut);
  job.Release();
  EXPECT_EQ(thread.Wait(), kWaitFinished);
  EXPECT_EQ(job.runs_, 1);
  EXPECT_EQ(job.argument_, 5);
}

TEST(Thread, ExceptionFromRunIsAFailureAndFreesTheThread) {
  Job job;
  job.throws_ = true;
  Thread thread;
  thread.SetRunnable(&job);
  ASSERT_EQ(thread.Start(), (Result{0, 0}));
  EXPECT_EQ(thread.Wait(), kWaitFinished);
  EXPECT_FALSE(thread.IsRunning());
  EXPECT_EQ(thread.GetResult(), (Result{5, err::kCodeRunThrew}));
}

// Another thread waits while runs are started one after another, as the
// console handler does during the main thread's polling.
TEST(Thread, WaitFromAnotherThreadWhileStartsReplaceTheRun) {
  Job job;
  Thread thread;
  thread.SetRunnable(&job);
  std::atomic<bool> done{false};
  std::thread waiter([&] {
    while (!done) {
      const uint32_t status = thread.Wait(1);
      EXPECT_LE(status, kWaitNothing);
    }
  });
  for (int i = 0; i < 50; ++i) {
    while (thread.Start(i).code != 0) std::this_thread::yield();
    thread.Wait();
  }
  done = true;
  waiter.join();
  EXPECT_EQ(job.runs_, 50);
}

}  // namespace
}  // namespace tarnwick::thread
