#pragma once

#include <cstdint>
#include <vector>

#include "foundation/gen/result.h"

namespace tarnwick::cryptopp::internal {

// The key a password gives: the hash of its bytes up to the NUL (none for
// a null password), cut to the key length. A shorter digest stays as it
// is and is refused by the stream routine. Wiped when it goes.
class PasswordKey {
 public:
  PasswordKey() = default;
  PasswordKey(const PasswordKey&) = delete;
  PasswordKey& operator=(const PasswordKey&) = delete;
  ~PasswordKey();

  // {hash kind, hash code, 5, 4042} when hashing fails.
  gen::Result2 Derive(const char* password, uint32_t hashId, uint32_t keySize);

  const std::vector<unsigned char>* bytes() const { return &bytes_; }

 private:
  std::vector<unsigned char> bytes_;
};

}  // namespace tarnwick::cryptopp::internal
