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

#include "crypto/symmetric_engine.h"
#include "cryptopp/alg_info.h"
#include "cryptopp/algorithm_table.h"
#include "cryptopp/codes.h"
#include "cryptopp/rc6_any_key.h"
#include "foundation/gen/result.h"
#include "foundation/sync/locks.h"

namespace tarnwick::cryptopp::internal {

// The release number of the cipher library that the stored files were
// first written with; engines report it whatever library runs them.
constexpr uint32_t kEngineLibraryVersion = 562;

// Behaviour shared by both directions. Cipher is a Crypto++ cipher object
// type (a CBC mode object or a stream cipher's Encryption type); it is
// keyed with SetKeyWithIV and driven with ProcessData only. Crypto++
// exceptions pass to the caller, whose stream routine maps them.
template <class EngineInterface, class Cipher, uint32_t algorithmId, uint32_t keyBytes,
          uint32_t ivBytes, uint32_t blockBytes, uint32_t extraBytes>
class CSymmetricEngineBase : EngineInterface {
 public:
  static constexpr uint32_t kKeySize = keyBytes;
  static constexpr uint32_t kIvSize = ivBytes;
  static constexpr uint32_t kBlockSize = blockBytes;

  using CipherType = Cipher;

  CSymmetricEngineBase() { keySet.Set(false); }
  ~CSymmetricEngineBase() override { keySet.Set(false); }
  CSymmetricEngineBase(const CSymmetricEngineBase&) = delete;
  CSymmetricEngineBase& operator=(const CSymmetricEngineBase&) = delete;

  // The interface is not a public base; callers reach the engine through
  // this pointer (the job templates call ResetKey through it, too).
  EngineInterface* Interface() { return this; }

  uint32_t GetLibraryType() override { return kLibraryType; }
  uint32_t GetAlgorithmId() override { return algorithmId; }
  uint32_t GetKeySize() override { return keyBytes; }
  uint32_t GetIvSize() override { return ivBytes; }
  uint32_t GetBlockSize() override { return blockBytes; }
  uint32_t GetExtraSize() override { return extraBytes; }
  uint32_t GetLibraryVersion() override { return kEngineLibraryVersion; }

  gen::Result2 SetKey(const uint8_t* key, uint32_t keyLen, const uint8_t* iv,
                      uint32_t ivLen) override {
    if (key == nullptr || iv == nullptr) return gen::OwnError(kCodeNullArgument);
    if (keyLen != keyBytes) return gen::OwnError(kCodeBadKeySize);
    if (ivLen != ivBytes) return gen::OwnError(kCodeBadIvSize);
    // A second key would silently restart a running chain.
    if (IsKeySet()) return gen::OwnError(kCodeKeyAlreadySet);
    cipher.SetKeyWithIV(key, keyBytes, iv, ivBytes);
    keySet.Set(true);
    return gen::Result2{};
  }

  // The cipher keeps its state; the next SetKey restarts it from the IV.
  void ResetKey() override { keySet.Set(false); }

  bool IsKeySet() override { return keySet.Get(); }

  // Output is exactly as long as the input; block alignment is the
  // caller's business. Successive calls continue one chain or keystream.
  gen::Result2 Process(const uint8_t* in, int32_t inLen, uint8_t* out, int32_t outCapacity,
                       int32_t* outLen) override {
    if (!IsKeySet()) return gen::OwnError(kCodeKeyNotSet);
    if (in == nullptr || inLen < 1) return gen::Result2{};
    if (out == nullptr || outCapacity == 0) return gen::OwnError(kCodeNoOutput);
    if (outCapacity < inLen) return gen::OwnError(kCodeOutputTooSmall);
    cipher.ProcessData(out, in, static_cast<size_t>(inLen));
    if (outLen != nullptr) *outLen = inLen;
    return gen::Result2{};
  }

  gen::Result2 Finalize() override { return gen::Result2{}; }

 private:
  Cipher cipher;
  sync::SafeValue<bool> keySet;
};

// One engine class per algorithm and direction; EngineTypes below binds
// the 54 rows of the algorithm table to these.
template <class Cipher, uint32_t algorithmId, uint32_t keyBytes, uint32_t ivBytes,
          uint32_t blockBytes, uint32_t extraBytes>
class CSymmetricEncryptorEngine final
    : public CSymmetricEngineBase<crypto::ISymmetricEncryptorEngine, Cipher, algorithmId, keyBytes,
                                  ivBytes, blockBytes, extraBytes> {};

template <class Cipher, uint32_t algorithmId, uint32_t keyBytes, uint32_t ivBytes,
          uint32_t blockBytes, uint32_t extraBytes>
class CSymmetricDecryptorEngine final
    : public CSymmetricEngineBase<crypto::ISymmetricDecryptorEngine, Cipher, algorithmId, keyBytes,
                                  ivBytes, blockBytes, extraBytes> {};

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

#define QM_ENGINE_TYPES(id, name, key, iv, block, CipherClass)                               \
  template <>                                                                                \
  struct EngineTypes<id> {                                                                   \
    using Objects = CipherObjects<CipherClass, (block) == 0>;                                \
    using Encryptor = CSymmetricEncryptorEngine<Objects::Encryption, id, key, iv, block, 0>; \
    using Decryptor = CSymmetricDecryptorEngine<Objects::Decryption, id, key, iv, block, 0>; \
  };
QM_FOR_EACH_ALGORITHM(QM_ENGINE_TYPES)
#undef QM_ENGINE_TYPES

}  // namespace tarnwick::cryptopp::internal
