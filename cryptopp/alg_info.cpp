#include "cryptopp/alg_info.h"

#include "cryptopp/algorithm_table.h"
#include "cryptopp/hash_table.h"
#include "foundation/platform/platform.h"

namespace tarnwick::cryptopp {
namespace {

struct Row {
  uint32_t id;
  const char* name;
  int32_t keySize;
  int32_t ivSize;
  uint32_t blockSize;
};

#define QM_ROW(id, name, key, iv, block, cipher) {id, name, key, iv, block},
constexpr Row kRows[] = {QM_FOR_EACH_ALGORITHM(QM_ROW)};
#undef QM_ROW

constexpr uint32_t kPanamaId = 50;

const Row* FindRow(uint32_t id) {
  for (const Row& row : kRows) {
    if (row.id == id) return &row;
  }
  return nullptr;
}

}  // namespace

#define QM_TABLE_ROW(id, name, key, iv, block, cipher) {kLibraryType, id},
const AlgorithmRow AlgorithmTable[54] = {QM_FOR_EACH_ALGORITHM(QM_TABLE_ROW)};
#undef QM_TABLE_ROW
static_assert(sizeof(kRows) / sizeof(kRows[0]) == 54);

crypto::SAlgInfo AlgInfo::GetInfo(uint32_t algorithmId) {
  crypto::SAlgInfo info;
  if (const Row* row = FindRow(algorithmId)) {
    const bool stream = row->blockSize == 0;
    info.keySize = row->keySize;
    info.ivSize = row->ivSize;
    info.blockSize = row->blockSize;
    info.cipherMode = stream ? crypto::kModeNone : crypto::kModeCbc;
    info.isStream = stream ? 1 : 0;
    info.flag = algorithmId == kPanamaId ? 1 : 0;
  }
  return info;
}

uint32_t AlgInfo::GetHashAlgorithm(uint32_t algorithmId) {
  const crypto::SAlgInfo info = GetInfo(algorithmId);
  if (info.keySize < 1 || info.ivSize < 1) return 0;
  return DefaultHashIdForKeySize(static_cast<uint32_t>(info.keySize));
}

uint32_t DefaultHashIdForKeySize(uint32_t keySize) {
  if (keySize <= 28) return kHashSha3_224;
  if (keySize <= 32) return kHashSha3_256;
  if (keySize <= 48) return kHashSha3_384;
  return kHashSha3_512;
}

crypto::SAlgorithmMatch FindAlgorithmByName(const std::wstring& name) {
  crypto::SAlgorithmMatch match;
  // Counted up to the first NUL, as a C string would be.
  const std::wstring_view wanted(name.c_str());
  if (wanted.empty()) return match;
  for (const AlgorithmRow& row : AlgorithmTable) {
    const std::wstring candidate = GetAlgorithmNameW(row.algorithmId);
    if (candidate.size() == wanted.size() && platform::CompareNoCase(candidate, wanted) == 0) {
      match.libraryType = row.libraryType;
      match.algorithmId = row.algorithmId;
      return match;
    }
  }
  return match;
}

std::string GetAlgorithmNameA(uint32_t algorithmId) {
  const Row* row = FindRow(algorithmId);
  return row ? row->name : "";
}

std::wstring GetAlgorithmNameW(uint32_t algorithmId) {
  const std::string narrow = GetAlgorithmNameA(algorithmId);
  return std::wstring(narrow.begin(), narrow.end());  // the names are ASCII
}

std::string GetHashName(uint32_t hashId) {
#define QM_HASH_NAME(id, Name, name, HashClass) \
  case id: return name;
  switch (hashId) { QM_FOR_EACH_HASH(QM_HASH_NAME) }
#undef QM_HASH_NAME
  return "";
}

std::string GetCipherModeName(uint32_t modeId) {
  switch (modeId) {
    case 1: return "ECB";
    case 2: return "CBC";
    case 3: return "CTS";
    case 4: return "CFB";
    case 5: return "OFB";
    case 6: return "CTR";
    default: return "";
  }
}

}  // namespace tarnwick::cryptopp
