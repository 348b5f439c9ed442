#pragma once

#include <cstdint>

#include "foundation/gen/result.h"

namespace tarnwick::thread {

// One job, run on the worker thread.
class IRunnable {
 public:
  virtual ~IRunnable() = default;
  virtual gen::Result Run(uint32_t tag, int64_t argument) = 0;
};

}  // namespace tarnwick::thread
