#pragma once

#include <atomic>
#include <cstdint>
#include <future>

#include "foundation/gen/result.h"
#include "foundation/sync/locks.h"

namespace tarnwick::thread {

// One job, run on the worker thread.
class IRunnable {
 public:
  virtual ~IRunnable() = default;
  virtual gen::Result Run(uint32_t tag, int64_t argument) = 0;
};

// Wait answers.
enum WaitStatus : uint32_t {
  kWaitFinished = 0,
  kWaitTimedOut = 1,
  kWaitNothing = 2,  // never started (or a deferred task)
};

class IThread {
 public:
  virtual ~IThread() = default;
  virtual void SetRunnable(IRunnable* runnable) = 0;
  virtual gen::Result Start(int64_t argument) = 0;
  virtual gen::Result Start() = 0;
  virtual uint32_t Wait(uint32_t milliseconds) = 0;
  virtual uint32_t Wait() = 0;
  virtual uint32_t GetTag() = 0;
  virtual uint32_t GetReserved() = 0;
  virtual bool IsRunning() = 0;
  virtual gen::Result GetResult() = 0;
  virtual int32_t GetState() = 0;
  virtual void SetState(int32_t state) = 0;
};

// Runs one IRunnable at a time as an asynchronous task. Any thread may ask
// IsRunning or Wait; the owner starts runs.
class Thread : public IThread {
 public:
  Thread();
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;
  // Waits for a run that is still going; the runnable is not touched.
  ~Thread() override;

  // Once, before the first Start; not owned.
  void SetRunnable(IRunnable* runnable) override;
  // {5, 300} without a runnable, {5, 8} while a run goes on, {5, 303} when
  // the task cannot be launched.
  gen::Result Start(int64_t argument) override;
  gen::Result Start() override;
  uint32_t Wait(uint32_t milliseconds) override;
  uint32_t Wait() override;  // up to 768 hours
  uint32_t GetTag() override;
  uint32_t GetReserved() override;
  bool IsRunning() override;
  // What the last run answered; {5, 304} when it threw.
  gen::Result GetResult() override;
  int32_t GetState() override;
  void SetState(int32_t state) override;

 private:
  void ThreadProc(int64_t argument);
  void StoreResult(const gen::Result& result);

  std::atomic<uint32_t> tag_{1};
  IRunnable* runnable_ = nullptr;
  sync::internal::SafeData<sync::Locker, gen::Result> result_;
  std::atomic<int32_t> state_{0};
  std::atomic<bool> running_{false};
  // Start replaces the future while other threads may wait on it: each
  // waiter takes a copy under its lock and waits on the copy unlocked.
  sync::internal::SafeData<sync::Locker, std::shared_future<void>> future_;
};

}  // namespace tarnwick::thread
