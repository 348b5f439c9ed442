#pragma once

#include <cstdint>

#include "crypto/symmetric_decryptor.h"
#include "crypto/symmetric_encryptor.h"

namespace tarnwick::cryptopp::internal {

// The 108 job classes are instantiated in a few translation units that
// compile side by side; each part takes the algorithm families whose id
// falls to it.
constexpr unsigned kFactoryParts = 4;

constexpr unsigned FactoryPartOf(uint32_t algorithmId) {
  return (algorithmId / 50) % kFactoryParts;
}

// A new job for `algorithmId` when it is a table id of part `Part`, else
// null. Defined in factory_part_impl.h, instantiated in factory_part*.cpp.
template <unsigned Part>
crypto::ISymmetricEncryptor* NewEncryptorInPart(uint32_t algorithmId);
template <unsigned Part>
crypto::ISymmetricDecryptor* NewDecryptorInPart(uint32_t algorithmId);

}  // namespace tarnwick::cryptopp::internal
