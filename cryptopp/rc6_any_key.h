#pragma once

#include <cstddef>

#include <cryptopp/rc6.h>

namespace tarnwick::cryptopp::internal {

// RC6 as Crypto++ computes it, but accepting every key length from 0 to
// 255 bytes. Current Crypto++ refuses keys above 32 bytes, while the key
// schedule itself takes any length and files of RC6-384 and RC6-512 were
// written with 48- and 64-byte keys.
template <class Rc6Direction>
class Rc6AnyKeyCipher : public Rc6Direction {
 public:
  static constexpr size_t kMaxKeyLength = 255;

  size_t MinKeyLength() const override { return 0; }
  size_t MaxKeyLength() const override { return kMaxKeyLength; }
  size_t GetValidKeyLength(size_t keyLength) const override {
    return keyLength < kMaxKeyLength ? keyLength : kMaxKeyLength;
  }
  // The inherited Clone would copy only the RC6 part and lose the lengths.
  CryptoPP::Clonable* Clone() const override { return new Rc6AnyKeyCipher(*this); }
};

// Shaped like a Crypto++ block cipher class, so CBC_Mode<Rc6AnyKey> works.
struct Rc6AnyKey {
  using Encryption = Rc6AnyKeyCipher<CryptoPP::RC6::Encryption>;
  using Decryption = Rc6AnyKeyCipher<CryptoPP::RC6::Decryption>;
};

}  // namespace tarnwick::cryptopp::internal
