#include <cwchar>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cryptopp/alg_info.h"
#include "tests/cryptopp/catalogue_rows.h"

namespace tarnwick::cryptopp {
namespace {

std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

// "library/id" of a lookup, "0/0" when not found.
std::string Find(const std::wstring& name) {
  const crypto::SAlgorithmMatch m = FindAlgorithmByName(name);
  return std::to_string(m.libraryType) + "/" + std::to_string(m.algorithmId);
}

// Key, IV, block, cipher mode, stream, extra and flag of a record.
std::vector<int64_t> Fields(const crypto::SAlgInfo& i) {
  return {i.keySize, i.ivSize, i.blockSize, i.cipherMode, i.isStream, i.extraSize, i.flag};
}

TEST(AlgInfo, EveryRowMatchesThePublishedCatalogue) {
  static_assert(std::size(qmtest::kCatalogue) == std::size(AlgorithmTable));
  AlgInfo catalogue;
  for (size_t i = 0; i < std::size(qmtest::kCatalogue); ++i) {
    const qmtest::CatalogueRow& want = qmtest::kCatalogue[i];
    SCOPED_TRACE(want.name);
    EXPECT_EQ(AlgorithmTable[i].libraryType, 1u);
    EXPECT_EQ(AlgorithmTable[i].algorithmId, want.id);
    const bool stream = want.block == 0;
    EXPECT_EQ(Fields(catalogue.GetInfo(want.id)),
              (std::vector<int64_t>{want.key, want.iv, want.block, stream ? 0 : 2, stream, 0,
                                    want.id == 50}));  // CBC, or no mode for a stream cipher
    EXPECT_EQ(catalogue.GetHashAlgorithm(want.id), want.hash);
    EXPECT_EQ(GetAlgorithmNameA(want.id), want.name);
    EXPECT_EQ(GetAlgorithmNameW(want.id), Widen(want.name));
    EXPECT_EQ(Find(Widen(want.name)), "1/" + std::to_string(want.id));
  }
}

TEST(AlgInfo, UnknownIdsGiveZeroRecordsAndEmptyNames) {
  AlgInfo catalogue;
  for (uint32_t id : {0u, 49u, 253u, 305u, 1001u, 0xFFFFFFFFu}) {
    EXPECT_EQ(Fields(catalogue.GetInfo(id)), std::vector<int64_t>(7, 0)) << id;
    EXPECT_EQ(catalogue.GetHashAlgorithm(id), 0u) << id;
    EXPECT_EQ(GetAlgorithmNameA(id), "") << id;
  }
  EXPECT_EQ(GetHashName(0) + GetHashName(302), "");
  EXPECT_EQ(GetHashName(100), "Skein256-224");  // named, though not computed
  EXPECT_EQ(GetHashName(304), "Panama");
}

TEST(AlgInfo, LookupIgnoresLetterCaseOnly) {
  EXPECT_EQ(Find(L"aEs-256"), "1/252");
  EXPECT_EQ(Find(L"tea") + Find(L"xtea") + Find(L"des_ede2"), "1/9501/9511/600");
  EXPECT_EQ(Find(std::wstring(L"AES-256\0junk", 12)), "1/252");  // up to the first NUL
  for (const wchar_t* name : {L"", L"AES256", L" AES-256", L"AES-256 ", L"AES", L"DES-EDE2"}) {
    EXPECT_EQ(Find(name), "0/0") << std::string(name, name + std::wcslen(name));
  }
}

}  // namespace
}  // namespace tarnwick::cryptopp
