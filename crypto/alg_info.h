#pragma once

#include <cstdint>

namespace tarnwick::crypto {

enum CipherMode : uint32_t { kModeNone = 0, kModeCbc = 2 };

// What the catalogue knows of one algorithm; all zero for an unknown id.
struct SAlgInfo {
  int32_t keySize = 0;
  int32_t ivSize = 0;
  uint32_t cipherMode = 0;
  uint32_t blockSize = 0;
  uint32_t extraSize = 0;
  uint32_t flag = 0;
  uint8_t isStream = 0;
};

// Result of a lookup by display name: {1, id}, or {0, 0} when not found.
// Same layout as the first two fields of the job record.
struct SAlgorithmMatch {
  uint32_t libraryType = 0;
  uint32_t algorithmId = 0;
};

namespace symmetric {

// Catalogue interface of one cryptographic library. Implementations are
// never deleted through it, hence no virtual destructor.
template <uint32_t LibraryType>
class IAlgInfo {
 public:
  virtual SAlgInfo GetInfo(uint32_t algorithmId) = 0;
  virtual uint32_t GetHashAlgorithm(uint32_t algorithmId) = 0;

 protected:
  ~IAlgInfo() = default;
};

}  // namespace symmetric
}  // namespace tarnwick::crypto
