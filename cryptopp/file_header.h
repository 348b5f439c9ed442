#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/gen/result.h"

namespace tarnwick::cryptopp {

// The 56 bytes in front of the plaintext of every encrypted file, inside
// the ciphertext. Held as bytes, little-endian, so that the layout does
// not depend on the compiler:
//   0  u16 version (2)      2  32-byte check digest   34  6 zero bytes
//   40 u64 plaintext size   48 6-byte salt            54  2 zero bytes
// Readers use only the digest and the plaintext size.
struct EncryptedFileHeader {
  static constexpr size_t kSize = 56;
  static constexpr size_t kVersionOffset = 0;
  static constexpr size_t kDigestOffset = 2;
  static constexpr size_t kDigestSize = 32;
  static constexpr size_t kPlainSizeOffset = 40;
  static constexpr size_t kSaltOffset = 48;
  static constexpr size_t kSaltSize = 6;
  static constexpr uint16_t kVersion = 2;

  uint16_t Version() const;
  const uint8_t* Digest() const { return bytes + kDigestOffset; }
  uint64_t PlainSize() const;

  uint8_t bytes[kSize];
};
static_assert(sizeof(EncryptedFileHeader) == EncryptedFileHeader::kSize);

// Writes the 32-byte check digest of an algorithm id and a plaintext size
// to `digest`: Keccak-256 (the submission's padding, not FIPS 202) of a
// 256-byte block holding both and a fixed text. The key takes no part:
// encrypting the header is what makes a wrong key show. On failure the
// 32 bytes are untouched: {5, 6, 0, 0} for a null `digest`; an exception
// while hashing gives {53, its Crypto++ error type (6 for any other
// exception), 5, 4002}.
gen::Result2 ComputeHeaderDigest(uint8_t* digest, uint32_t algorithmId, uint64_t plainSize);

// Fills all 56 bytes of `header` for one algorithm and plaintext size,
// with a zero salt. On failure (the digest's result, or {5, 6, 0, 0} for
// a null header) the header is left as it was.
gen::Result2 BuildFileHeader(uint32_t algorithmId, uint64_t plainSize, EncryptedFileHeader* header);

// Puts six pseudo-random bytes into the salt of `header`, from a generator
// seeded with the calendar time in seconds; touches nothing else. Two
// headers salted in the same second get the same salt.
void FillHeaderSalt(EncryptedFileHeader* header);

// The salt's generator: a linear congruential generator, seeded afresh for
// every header, so concurrent jobs never share its state (the C library's
// rand is a different one and is not used).
class SaltGenerator {
 public:
  static constexpr uint32_t kMaxOutput = 0x7FFF;

  void Seed(uint32_t seed) { state_ = seed; }
  // 0 to 32767.
  uint32_t Next() {
    state_ = state_ * 214013u + 2531011u;
    return (state_ >> 16) & kMaxOutput;
  }

 private:
  uint32_t state_ = 1;
};

// FillHeaderSalt with a given seed: the six bytes are the generator's next
// six outputs divided by 128, from offset 48 on.
void FillHeaderSaltWithSeed(EncryptedFileHeader* header, uint32_t seed);

}  // namespace tarnwick::cryptopp
