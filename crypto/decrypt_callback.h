#pragma once

#include <cstdint>

#include "foundation/gen/result.h"

namespace tarnwick::crypto {

// Progress of a decryption run, counted over the encrypted bytes.
class IDecryptProgressCallback {
 public:
  virtual ~IDecryptProgressCallback() {}
  virtual void OnProgress(uint64_t doneBytes, float percent, void* ctx) = 0;
};

// Start and end of a decryption run; the twin of IEncryptCallback.
class IDecryptCallback : public IDecryptProgressCallback {
 public:
  virtual void OnStart(void* ctx) = 0;
  virtual void OnFinish(bool stopped, const gen::Result2* result, void* ctx) = 0;
};

}  // namespace tarnwick::crypto
