#pragma once

// How decrypt_fuzz reads its input; the seed maker writes the same layout.
//
//   byte 0   bits 0-1  algorithm, an index into kFuzzAlgorithms
//            bit 2     a forged file: the rest is a recipe (below), not a file
//            bit 3     small chunks: buffer size 8 + byte 3 instead of 32768
//            bits 4-7  read limit: 0 none, k at most 2^(k-1) bytes per read
//   byte 1   stop request made before this read (counted from 1), 0 never
//   byte 2   room of the output in units of 97 bytes, 0 unlimited
//   byte 3   see bit 3
//   rest     the encrypted file, or the recipe of a forged one:
//
//   byte 0   bits 0-1 plain size in the header: 0 the body's length, 1 that
//            less byte 1, 2 that plus byte 1, 3 the raw u64 after byte 7
//   byte 1   the difference
//   bytes 2-3  body length, little-endian; 0: the pattern as it is
//   byte 4   signed change of the ciphertext's length: cut or add bytes
//   bytes 5-6  offset of one ciphertext byte to flip, byte 7 its mask
//   rest     the body's pattern, repeated to the body length
//
// A forged file carries a header with a valid digest, so the fuzzer gets
// past the check that random bytes never pass.

#include <cstddef>
#include <cstdint>
#include <string>

namespace qmfuzz {

// An 8-, a 16- and a 32-byte block cipher and a stream cipher.
constexpr uint32_t kFuzzAlgorithms[4] = {800 /* Blowfish-128 */, 252 /* AES-256 */,
                                         904 /* SHACAL2-512 */, 100 /* Sosemanuk-128 */};
constexpr char kFuzzPassword[] = "fuzz";
constexpr size_t kControlBytes = 4;
constexpr size_t kRecipeBytes = 8;
constexpr uint32_t kRoomUnit = 97;

enum ControlBits : uint8_t {
  kForged = 1 << 2,
  kSmallChunks = 1 << 3,
};

enum SizeRule : uint8_t { kExactSize = 0, kSmallerSize = 1, kLargerSize = 2, kRawSize = 3 };

// Takes bytes from the front; past the end every byte reads as 0.
class InputReader {
 public:
  InputReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  uint16_t U16() {
    const uint16_t low = Byte();
    return static_cast<uint16_t>(low | (Byte() << 8));
  }
  uint64_t U64() {
    uint64_t value = 0;
    for (int i = 0; i < 8; ++i) value |= static_cast<uint64_t>(Byte()) << (8 * i);
    return value;
  }
  std::string Rest() {
    const size_t from = pos_ < size_ ? pos_ : size_;
    pos_ = size_;
    return std::string(reinterpret_cast<const char*>(data_) + from, size_ - from);
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

}  // namespace qmfuzz
