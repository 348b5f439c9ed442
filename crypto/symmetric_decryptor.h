#pragma once

#include <cstdint>
#include <vector>

#include "foundation/gen/result.h"
#include "foundation/io/stream.h"

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

// One decryption job of one algorithm: the twin of ISymmetricEncryptor,
// slot for slot, without the salt flag (the reader ignores the salt).
class ISymmetricDecryptor {
 public:
  using InStream = io::internal::IIStream<char>;
  using OutStream = io::internal::IOStream<char>;
  using Bytes = std::vector<unsigned char>;

  virtual ~ISymmetricDecryptor() {}
  virtual uint32_t GetLibraryType() = 0;
  virtual uint32_t GetAlgorithmId() = 0;
  virtual uint32_t GetKeySize() = 0;
  virtual uint32_t GetIvSize() = 0;
  virtual bool IsRunning() = 0;
  virtual float GetProgress() = 0;
  virtual gen::Result2 DecryptWithKey(InStream* in, OutStream* out, const Bytes* key,
                                      IDecryptCallback* callback, void* ctx) = 0;
  virtual gen::Result2 DecryptWithKeyAndIv(InStream* in, OutStream* out, const Bytes* key,
                                           const Bytes* iv, IDecryptCallback* callback,
                                           void* ctx) = 0;
  virtual gen::Result2 DecryptStream(InStream* in, OutStream* out, const Bytes* key,
                                     const Bytes* iv, uint32_t bufferSize,
                                     uint32_t progressIntervalMs, IDecryptCallback* callback,
                                     void* ctx) = 0;
  virtual gen::Result2 DecryptWithPassword(InStream* in, OutStream* out, const char* password,
                                           IDecryptCallback* callback, void* ctx) = 0;
  virtual gen::Result2 DecryptWithPasswordHash(InStream* in, OutStream* out, const char* password,
                                               uint32_t hashId, IDecryptCallback* callback,
                                               void* ctx) = 0;
  virtual gen::Result2 DecryptStreamWithPassword(InStream* in, OutStream* out, const char* password,
                                                 uint32_t hashId, const Bytes* iv,
                                                 uint32_t bufferSize, uint32_t progressIntervalMs,
                                                 IDecryptCallback* callback, void* ctx) = 0;
  virtual void Stop() = 0;
};

}  // namespace tarnwick::crypto
