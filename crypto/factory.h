#pragma once

#include <cstdint>

#include "crypto/symmetric_decryptor.h"
#include "crypto/symmetric_encryptor.h"
#include "foundation/gen/result.h"

namespace tarnwick::crypto {

// Makes one new job per call; the caller owns it and deletes it through
// the interface. `object` is left untouched on failure.
class IEncryptorFactory {
 public:
  virtual ~IEncryptorFactory() {}
  virtual gen::Result2 Create(uint32_t libraryType, uint32_t algorithmId,
                              ISymmetricEncryptor** object) = 0;
};

class IDecryptorFactory {
 public:
  virtual ~IDecryptorFactory() {}
  virtual gen::Result2 Create(uint32_t libraryType, uint32_t algorithmId,
                              ISymmetricDecryptor** object) = 0;
};

}  // namespace tarnwick::crypto
