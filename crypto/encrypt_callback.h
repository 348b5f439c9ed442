#pragma once

#include <cstdint>

#include "foundation/gen/result.h"

namespace tarnwick::crypto {

// Progress of an encryption run; `ctx` is the caller's own pointer,
// handed back unchanged.
class IEncryptProgressCallback {
 public:
  virtual ~IEncryptProgressCallback() {}
  virtual void OnProgress(uint64_t doneBytes, float percent, void* ctx) = 0;
};

// Start and end of an encryption run. `result` is valid during the call
// only. Neither may throw: they are called outside the run's error mapping.
class IEncryptCallback : public IEncryptProgressCallback {
 public:
  virtual void OnStart(void* ctx) = 0;
  virtual void OnFinish(bool stopped, const gen::Result2* result, void* ctx) = 0;
};

}  // namespace tarnwick::crypto
