#pragma once

#include <cstdint>

#include "crypto/symmetric_decryptor.h"
#include "crypto/symmetric_encryptor.h"

namespace tarnwick::cryptopp::internal {

// The 108 job classes are instantiated in a few translation units that
// compile side by side; each shard takes the algorithm families whose id
// falls to it.
constexpr unsigned kFactoryShards = 4;

constexpr unsigned FactoryShardOf(uint32_t algorithmId) {
  return (algorithmId / 50) % kFactoryShards;
}

// A new job for `algorithmId` when it is a table id of shard `Shard`, else
// null. Defined in factory_shard_impl.h, instantiated in factory_shard*.cpp.
template <unsigned Shard>
crypto::ISymmetricEncryptor* NewEncryptorInShard(uint32_t algorithmId);
template <unsigned Shard>
crypto::ISymmetricDecryptor* NewDecryptorInShard(uint32_t algorithmId);

}  // namespace tarnwick::cryptopp::internal
