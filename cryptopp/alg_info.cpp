#include "cryptopp/alg_info.h"

#include "cryptopp/algorithm_table.h"
#include "foundation/platform/strings.h"

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
  if (keySize <= 28) return crypto::kHashSha3_224;
  if (keySize <= 32) return crypto::kHashSha3_256;
  if (keySize <= 48) return crypto::kHashSha3_384;
  return crypto::kHashSha3_512;
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
  switch (hashId) {
    case 1: return "SHA1";
    case 10: return "SHA-224";
    case 11: return "SHA-256";
    case 12: return "SHA-384";
    case 13: return "SHA-512";
    case 20: return "SHA3-224";
    case 21: return "SHA3-256";
    case 22: return "SHA3-384";
    case 23: return "SHA3-512";
    case 30: return "Tiger-192";
    case 40: return "Whirlpool";
    case 50: return "RIPEMD-128";
    case 51: return "RIPEMD-160";
    case 52: return "RIPEMD-256";
    case 53: return "RIPEMD-320";
    case 100: return "Skein256-224";
    case 101: return "Skein256-256";
    case 102: return "Skein512-224";
    case 103: return "Skein512-256";
    case 104: return "Skein512-384";
    case 105: return "Skein512-512";
    case 106: return "Skein1024-224";
    case 107: return "Skein1024-256";
    case 108: return "Skein1024-384";
    case 109: return "Skein1024-512";
    case 110: return "Skein1024-1024";
    case 300: return "MD2";
    case 301: return "MD4";
    case 303: return "MD5";
    case 304: return "Panama";
    case 400: return "Adler32";
    case 401: return "CRC32";
    default: return "";
  }
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
