#pragma once

#include <cstdint>

#include "foundation/gen/result.h"
#include "foundation/thread/runnable.h"

namespace tarnwick::thread {

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

}  // namespace tarnwick::thread
