#pragma once

#include "cryptopp/algorithm_table.h"
#include "cryptopp/factory_shards.h"
#include "cryptopp/symmetric_decryptor.h"
#include "cryptopp/symmetric_encryptor.h"
#include "cryptopp/symmetric_engine.h"

namespace tarnwick::cryptopp::internal {

// The job class of `id` is named, and so instantiated, only in the shard
// that owns the id.
template <unsigned Shard, uint32_t id>
crypto::ISymmetricEncryptor* NewEncryptorOf() {
  if constexpr (FactoryShardOf(id) == Shard) {
    return CSymmetricEncryptor<typename EngineTypes<id>::Encryptor>::Create();
  } else {
    return nullptr;
  }
}

template <unsigned Shard, uint32_t id>
crypto::ISymmetricDecryptor* NewDecryptorOf() {
  if constexpr (FactoryShardOf(id) == Shard) {
    return CSymmetricDecryptor<typename EngineTypes<id>::Decryptor>::Create();
  } else {
    return nullptr;
  }
}

#define QM_ENCRYPTOR_CASE(id, name, key, iv, block, CipherClass) \
  case id:                                                       \
    return NewEncryptorOf<Shard, id>();
#define QM_DECRYPTOR_CASE(id, name, key, iv, block, CipherClass) \
  case id: return NewDecryptorOf<Shard, id>();

template <unsigned Shard>
crypto::ISymmetricEncryptor* NewEncryptorInShard(uint32_t algorithmId) {
  switch (algorithmId) { QM_FOR_EACH_ALGORITHM(QM_ENCRYPTOR_CASE) }
  return nullptr;
}

template <unsigned Shard>
crypto::ISymmetricDecryptor* NewDecryptorInShard(uint32_t algorithmId) {
  switch (algorithmId) { QM_FOR_EACH_ALGORITHM(QM_DECRYPTOR_CASE) }
  return nullptr;
}

#undef QM_ENCRYPTOR_CASE
#undef QM_DECRYPTOR_CASE

}  // namespace tarnwick::cryptopp::internal

// Instantiates both makers of one shard: the body of each factory_shard*.cpp.
#define QM_INSTANTIATE_FACTORY_SHARD(Shard)                               \
  template tarnwick::crypto::ISymmetricEncryptor*                         \
      tarnwick::cryptopp::internal::NewEncryptorInShard<Shard>(uint32_t); \
  template tarnwick::crypto::ISymmetricDecryptor*                         \
      tarnwick::cryptopp::internal::NewDecryptorInShard<Shard>(uint32_t);
