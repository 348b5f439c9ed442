#pragma once

#include <cstdint>

#include "crypto/factory.h"

namespace tarnwick::cryptopp {

// Makes the encryption job of one of the 54 algorithm ids, for library
// type 1: {5, 5} without an address for the object, {5, 70} for any other
// library type or id. An allocation failure passes to the caller.
class CEncryptorFactory : public crypto::IEncryptorFactory {
 public:
  gen::Result2 Create(uint32_t libraryType, uint32_t algorithmId,
                      crypto::ISymmetricEncryptor** object) override;
};

// The same for decryption jobs.
class CDecryptorFactory : public crypto::IDecryptorFactory {
 public:
  gen::Result2 Create(uint32_t libraryType, uint32_t algorithmId,
                      crypto::ISymmetricDecryptor** object) override;
};

}  // namespace tarnwick::cryptopp
