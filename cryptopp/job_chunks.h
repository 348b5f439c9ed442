#pragma once

#include <cstdint>

#include "cryptopp/file_header.h"

namespace tarnwick::cryptopp::internal {

// Defaults of every entry point that takes no buffer size or interval.
constexpr uint32_t kDefaultBufferSize = 32768;
constexpr uint32_t kDefaultProgressIntervalMs = 400;

constexpr uint32_t kHeaderBytes = EncryptedFileHeader::kSize;

// Buffer sizes from here on would overflow the signed 32-bit lengths of
// the streams and engines; they are refused like sizes below the minimum.
constexpr uint32_t kMinBufferSize = 8;
constexpr uint32_t kMaxBufferSize = 1u << 30;

// The chunk length n for a requested buffer size and block length b (0 for
// a stream cipher): at least the header, and a whole number of blocks. A
// length that is no multiple of b grows to
// (max(56 / b + 1, n / b) + 1) * b, which stored files were chunked by.
constexpr uint32_t ChunkBufferLength(uint32_t bufferSize, uint32_t blockSize) {
  uint32_t n = bufferSize < kHeaderBytes ? kHeaderBytes : bufferSize;
  if (blockSize != 0 && n % blockSize != 0) {
    const uint32_t least = kHeaderBytes / blockSize + 1;
    const uint32_t blocks = n / blockSize;
    n = ((least > blocks ? least : blocks) + 1) * blockSize;
  }
  return n;
}

// A short last chunk of a block cipher is rounded up to whole blocks; the
// bytes added must be zero in the buffer.
constexpr uint32_t RoundChunkLength(uint32_t length, uint32_t chunkLength, uint32_t blockSize) {
  if (blockSize == 0 || length == chunkLength || length % blockSize == 0) return length;
  return (length / blockSize + 1) * blockSize;
}

}  // namespace tarnwick::cryptopp::internal
