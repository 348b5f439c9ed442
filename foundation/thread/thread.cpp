#include "foundation/thread/thread.h"

#include <chrono>
#include <utility>

#include "foundation/err/codes.h"
#include "foundation/sync/locks.h"

namespace tarnwick::thread {
namespace {

constexpr uint32_t kForeverMs = 768u * 60 * 60 * 1000;

gen::Result OwnCode(uint32_t code) { return {gen::kKindOwn, code}; }

}  // namespace

Thread::Thread() = default;

Thread::~Thread() {
  // The task still uses this object; let it finish first.
  if (future_.value.valid()) future_.value.wait();
}

void Thread::SetRunnable(IRunnable* runnable) { runnable_ = runnable; }

gen::Result Thread::Start(int64_t argument) {
  if (runnable_ == nullptr) return OwnCode(err::kCodeNoRunnable);
  // One exchange for test and set: two starters cannot both get through.
  bool idle = false;
  if (!running_.compare_exchange_strong(idle, true)) return OwnCode(err::kCodeThreadBusy);
  try {
    StoreResult({});
    std::shared_future<void> task =
        std::async(std::launch::async, &Thread::ThreadProc, this, argument).share();
    sync::Locked(future_, [&](std::shared_future<void>& future) { std::swap(future, task); });
    // `task` now holds the previous run's future; releasing it waits for
    // that task's last step, with no lock held.
  } catch (...) {
    running_.exchange(false);
    return OwnCode(err::kCodeLaunchFailed);
  }
  return {};
}

gen::Result Thread::Start() { return Start(0); }

uint32_t Thread::Wait(uint32_t milliseconds) {
  const std::shared_future<void> task =
      sync::Locked(future_, [](const std::shared_future<void>& future) { return future; });
  if (!task.valid()) return kWaitNothing;
  switch (task.wait_for(std::chrono::milliseconds(milliseconds))) {
    case std::future_status::ready: return kWaitFinished;
    case std::future_status::timeout: return kWaitTimedOut;
    case std::future_status::deferred: break;
  }
  return kWaitNothing;
}

uint32_t Thread::Wait() { return Wait(kForeverMs); }

uint32_t Thread::GetTag() { return tag_.load(); }

uint32_t Thread::GetReserved() { return 0; }

bool Thread::IsRunning() { return running_.load(); }

gen::Result Thread::GetResult() {
  return sync::Locked(result_, [](const gen::Result& result) { return result; });
}

int32_t Thread::GetState() { return state_.load(); }

void Thread::SetState(int32_t state) { state_.exchange(state); }

void Thread::ThreadProc(int64_t argument) {
  if (runnable_ != nullptr) {
    gen::Result result;
    // An escaped exception would otherwise end the run looking like a
    // success and leave the thread busy for good.
    try {
      result = runnable_->Run(GetTag(), argument);
    } catch (...) {
      result = OwnCode(err::kCodeRunThrew);
    }
    StoreResult(result);
  }
  running_.exchange(false);
}

void Thread::StoreResult(const gen::Result& result) {
  sync::Locked(result_, [&](gen::Result& stored) { stored = result; });
}

}  // namespace tarnwick::thread
