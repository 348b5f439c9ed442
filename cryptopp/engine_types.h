#pragma once

#include <cstdint>

#include <cryptopp/blowfish.h>
#include <cryptopp/camellia.h>
#include <cryptopp/cast.h>
#include <cryptopp/des.h>
#include <cryptopp/gost.h>
#include <cryptopp/idea.h>
#include <cryptopp/mars.h>
#include <cryptopp/modes.h>
#include <cryptopp/panama.h>
#include <cryptopp/rc5.h>
#include <cryptopp/rijndael.h>
#include <cryptopp/salsa.h>
#include <cryptopp/seed.h>
#include <cryptopp/serpent.h>
#include <cryptopp/shacal2.h>
#include <cryptopp/skipjack.h>
#include <cryptopp/sosemanuk.h>
#include <cryptopp/tea.h>
#include <cryptopp/twofish.h>

#include "cryptopp/algorithm_table.h"
#include "cryptopp/rc6_any_key.h"
#include "cryptopp/symmetric_engine.h"

namespace tarnwick::cryptopp::internal {

// The cipher objects of one table row: block ciphers run in CBC mode; a
// stream cipher has one type that serves both directions.
template <class CipherClass, bool isStream>
struct CipherObjects {
  using Encryption = typename CryptoPP::CBC_Mode<CipherClass>::Encryption;
  using Decryption = typename CryptoPP::CBC_Mode<CipherClass>::Decryption;
};

template <class CipherClass>
struct CipherObjects<CipherClass, true> {
  using Encryption = typename CipherClass::Encryption;
  using Decryption = typename CipherClass::Encryption;
};

// EngineTypes<id>::Encryptor and ::Decryptor: the two engine classes of
// one algorithm id, for every row of the algorithm table.
template <uint32_t algorithmId>
struct EngineTypes;

#define QM_ENGINE_TYPES(id, name, key, iv, block, CipherClass)                    \
  template <>                                                                     \
  struct EngineTypes<id> {                                                        \
    using Objects = CipherObjects<CipherClass, (block) == 0>;                     \
    using Encryptor =                                                             \
        CSymmetricEncryptorEngine<Objects::Encryption, id, key, iv, block, 0>; \
    using Decryptor =                                                             \
        CSymmetricDecryptorEngine<Objects::Decryption, id, key, iv, block, 0>; \
  };
QM_FOR_EACH_ALGORITHM(QM_ENGINE_TYPES)
#undef QM_ENGINE_TYPES

}  // namespace tarnwick::cryptopp::internal
