#pragma once

#include <cstdint>
#include <string>

#include "crypto/alg_info.h"

namespace tarnwick::cryptopp {

constexpr uint32_t kLibraryType = 1;  // the Crypto++-backed implementation

struct AlgorithmRow {
  uint32_t libraryType;
  uint32_t algorithmId;
};

// The 54 rows in ascending id order: the order of the listing and of
// the lookup by name.
extern const AlgorithmRow AlgorithmTable[54];

class AlgInfo : public crypto::symmetric::IAlgInfo<kLibraryType> {
 public:
  crypto::SAlgInfo GetInfo(uint32_t algorithmId) override;
  uint32_t GetHashAlgorithm(uint32_t algorithmId) override;
  virtual ~AlgInfo() = default;
};

// The smallest SHA-3 digest at least as long as the key (a longer key
// takes the largest): the hash that turns a password into the key.
uint32_t DefaultHashIdForKeySize(uint32_t keySize);

crypto::SAlgorithmMatch FindAlgorithmByName(const std::wstring& name);
std::string GetAlgorithmNameA(uint32_t algorithmId);
std::wstring GetAlgorithmNameW(uint32_t algorithmId);
std::string GetHashName(uint32_t hashId);
std::string GetCipherModeName(uint32_t modeId);

}  // namespace tarnwick::cryptopp
