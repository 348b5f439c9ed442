#include "cryptopp/job_password.h"

#include <cstdint>
#include <cstring>

#include <cryptopp/misc.h>

#include "cryptopp/codes.h"
#include "cryptopp/password_hash.h"

namespace tarnwick::cryptopp::internal {

PasswordKey::~PasswordKey() { CryptoPP::SecureWipeBuffer(bytes_.data(), bytes_.size()); }

gen::Result2 PasswordKey::Derive(const char* password, uint32_t hashId, uint32_t keySize) {
  const size_t length = password != nullptr ? std::strlen(password) : 0;
  // The hash takes a signed 32-bit length; a longer password (no command
  // line carries one) must not wrap to the empty password's zero key.
  if (length > static_cast<size_t>(INT32_MAX)) {
    return gen::Result2{gen::kKindOwn, kCodeHashFailed, gen::kKindOwn, kStagePasswordHash};
  }
  const gen::Result hashed =
      HashPassword(&bytes_, hashId, reinterpret_cast<const uint8_t*>(password),
                   static_cast<int32_t>(length));
  if (hashed.code != 0) {
    return gen::Result2{hashed.kind, hashed.code, gen::kKindOwn, kStagePasswordHash};
  }
  if (bytes_.size() > keySize) {
    CryptoPP::SecureWipeBuffer(bytes_.data() + keySize, bytes_.size() - keySize);
    bytes_.resize(keySize);
  }
  return gen::Result2{};
}

}  // namespace tarnwick::cryptopp::internal
