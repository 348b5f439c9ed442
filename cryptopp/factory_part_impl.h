#pragma once

#include "cryptopp/algorithm_table.h"
#include "cryptopp/engine_types.h"
#include "cryptopp/factory_parts.h"
#include "cryptopp/symmetric_decryptor.h"
#include "cryptopp/symmetric_encryptor.h"

namespace tarnwick::cryptopp::internal {

// The job class of `id` is named, and so instantiated, only in the part
// that owns the id.
template <unsigned Part, uint32_t id>
crypto::ISymmetricEncryptor* NewEncryptorOf() {
  if constexpr (FactoryPartOf(id) == Part) {
    return CSymmetricEncryptor<typename EngineTypes<id>::Encryptor>::Create();
  } else {
    return nullptr;
  }
}

template <unsigned Part, uint32_t id>
crypto::ISymmetricDecryptor* NewDecryptorOf() {
  if constexpr (FactoryPartOf(id) == Part) {
    return CSymmetricDecryptor<typename EngineTypes<id>::Decryptor>::Create();
  } else {
    return nullptr;
  }
}

#define QM_ENCRYPTOR_CASE(id, name, key, iv, block, CipherClass) \
  case id:                                                       \
    return NewEncryptorOf<Part, id>();
#define QM_DECRYPTOR_CASE(id, name, key, iv, block, CipherClass) \
  case id:                                                       \
    return NewDecryptorOf<Part, id>();

template <unsigned Part>
crypto::ISymmetricEncryptor* NewEncryptorInPart(uint32_t algorithmId) {
  switch (algorithmId) { QM_FOR_EACH_ALGORITHM(QM_ENCRYPTOR_CASE) }
  return nullptr;
}

template <unsigned Part>
crypto::ISymmetricDecryptor* NewDecryptorInPart(uint32_t algorithmId) {
  switch (algorithmId) { QM_FOR_EACH_ALGORITHM(QM_DECRYPTOR_CASE) }
  return nullptr;
}

#undef QM_ENCRYPTOR_CASE
#undef QM_DECRYPTOR_CASE

}  // namespace tarnwick::cryptopp::internal

// Instantiates both makers of one part: the body of each factory_part*.cpp.
#define QM_INSTANTIATE_FACTORY_PART(Part)                                                      \
  template tarnwick::crypto::ISymmetricEncryptor*                                             \
  tarnwick::cryptopp::internal::NewEncryptorInPart<Part>(uint32_t);                           \
  template tarnwick::crypto::ISymmetricDecryptor*                                             \
  tarnwick::cryptopp::internal::NewDecryptorInPart<Part>(uint32_t);
