#include <cwchar>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cryptopp/alg_info.h"
#include "tests/support/run_program.h"

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
  ASSERT_EQ(qmtest::Catalogue().size(), std::size(AlgorithmTable));
  AlgInfo catalogue;
  for (size_t i = 0; i < std::size(AlgorithmTable); ++i) {
    const qmtest::CatalogueRow& want = qmtest::Catalogue()[i];
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
