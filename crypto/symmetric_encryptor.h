#pragma once

#include <cstdint>
#include <vector>

#include "foundation/gen/result.h"
#include "foundation/io/stream.h"

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

// One encryption job of one algorithm. Streams are borrowed; `key` and
// `iv` are required; `password` is NUL-terminated UTF-8 and may be null;
// `callback` may be null. Slot order is part of the contract.
class ISymmetricEncryptor {
 public:
  using InStream = io::internal::IIStream<char>;
  using OutStream = io::internal::IOStream<char>;
  using Bytes = std::vector<unsigned char>;

  virtual ~ISymmetricEncryptor() {}
  virtual uint32_t GetLibraryType() = 0;
  virtual uint32_t GetAlgorithmId() = 0;
  virtual uint32_t GetKeySize() = 0;
  virtual uint32_t GetIvSize() = 0;
  virtual bool IsRunning() = 0;
  virtual float GetProgress() = 0;
  virtual gen::Result2 EncryptWithKey(InStream* in, OutStream* out, const Bytes* key, bool useSalt,
                                      IEncryptCallback* callback, void* ctx) = 0;
  virtual gen::Result2 EncryptWithKeyAndIv(InStream* in, OutStream* out, const Bytes* key,
                                           const Bytes* iv, bool useSalt,
                                           IEncryptCallback* callback, void* ctx) = 0;
  virtual gen::Result2 EncryptStream(InStream* in, OutStream* out, const Bytes* key,
                                     const Bytes* iv, uint32_t bufferSize,
                                     uint32_t progressIntervalMs, bool useSalt,
                                     IEncryptCallback* callback, void* ctx) = 0;
  virtual gen::Result2 EncryptWithPassword(InStream* in, OutStream* out, const char* password,
                                           bool useSalt, IEncryptCallback* callback, void* ctx) = 0;
  virtual gen::Result2 EncryptWithPasswordHash(InStream* in, OutStream* out, const char* password,
                                               uint32_t hashId, bool useSalt,
                                               IEncryptCallback* callback, void* ctx) = 0;
  virtual gen::Result2 EncryptStreamWithPassword(InStream* in, OutStream* out, const char* password,
                                                 uint32_t hashId, const Bytes* iv,
                                                 uint32_t bufferSize, uint32_t progressIntervalMs,
                                                 bool useSalt, IEncryptCallback* callback,
                                                 void* ctx) = 0;
  // Asks a running stream routine to end before its next chunk; returns at once.
  virtual void Stop() = 0;
};

}  // namespace tarnwick::crypto
