#pragma once

#include <cstdint>

#include "foundation/gen/result.h"

namespace tarnwick::crypto {

// One keyed cipher object of one algorithm in the encrypting direction.
class ISymmetricEncryptorEngine {
 public:
  virtual ~ISymmetricEncryptorEngine() {}
  virtual uint32_t GetLibraryType() = 0;
  virtual uint32_t GetAlgorithmId() = 0;
  virtual uint32_t GetKeySize() = 0;
  virtual uint32_t GetIvSize() = 0;
  virtual uint32_t GetBlockSize() = 0;
  virtual uint32_t GetExtraSize() = 0;
  virtual uint32_t GetLibraryVersion() = 0;
  virtual gen::Result2 SetKey(const uint8_t* key, uint32_t keyLen, const uint8_t* iv,
                              uint32_t ivLen) = 0;
  virtual void ResetKey() = 0;
  virtual bool IsKeySet() = 0;
  virtual gen::Result2 Process(const uint8_t* in, int32_t inLen, uint8_t* out, int32_t outCapacity,
                               int32_t* outLen) = 0;
  virtual gen::Result2 Finalize() = 0;
};

// The decrypting twin, slot for slot.
class ISymmetricDecryptorEngine {
 public:
  virtual ~ISymmetricDecryptorEngine() {}
  virtual uint32_t GetLibraryType() = 0;
  virtual uint32_t GetAlgorithmId() = 0;
  virtual uint32_t GetKeySize() = 0;
  virtual uint32_t GetIvSize() = 0;
  virtual uint32_t GetBlockSize() = 0;
  virtual uint32_t GetExtraSize() = 0;
  virtual uint32_t GetLibraryVersion() = 0;
  virtual gen::Result2 SetKey(const uint8_t* key, uint32_t keyLen, const uint8_t* iv,
                              uint32_t ivLen) = 0;
  virtual void ResetKey() = 0;
  virtual bool IsKeySet() = 0;
  virtual gen::Result2 Process(const uint8_t* in, int32_t inLen, uint8_t* out, int32_t outCapacity,
                               int32_t* outLen) = 0;
  virtual gen::Result2 Finalize() = 0;
};

}  // namespace tarnwick::crypto
