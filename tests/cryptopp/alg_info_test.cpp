#include <locale>
#include <string>

#include <gtest/gtest.h>

#include "cryptopp/alg_info.h"
#include "tests/cryptopp/catalogue_rows.h"

namespace tarnwick::cryptopp {
namespace {

std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

void ExpectNotFound(const std::wstring& name) {
  const crypto::SAlgorithmMatch match = FindAlgorithmByName(name);
  EXPECT_EQ(match.libraryType, 0u) << "'" << std::string(name.begin(), name.end()) << "'";
  EXPECT_EQ(match.algorithmId, 0u) << "'" << std::string(name.begin(), name.end()) << "'";
}

void ExpectFound(const std::wstring& name, uint32_t id) {
  const crypto::SAlgorithmMatch match = FindAlgorithmByName(name);
  EXPECT_EQ(match.libraryType, 1u) << "'" << std::string(name.begin(), name.end()) << "'";
  EXPECT_EQ(match.algorithmId, id) << "'" << std::string(name.begin(), name.end()) << "'";
}

TEST(AlgInfo, EveryRowMatchesThePublishedCatalogue) {
  static_assert(std::size(qmtest::kCatalogue) == std::size(AlgorithmTable));
  AlgInfo catalogue;
  for (size_t i = 0; i < std::size(qmtest::kCatalogue); ++i) {
    const qmtest::CatalogueRow& want = qmtest::kCatalogue[i];
    SCOPED_TRACE(want.name);
    EXPECT_EQ(AlgorithmTable[i].libraryType, 1u);
    EXPECT_EQ(AlgorithmTable[i].algorithmId, want.id);

    const crypto::SAlgInfo info = catalogue.GetInfo(want.id);
    const bool stream = want.block == 0;
    EXPECT_EQ(info.keySize, want.key);
    EXPECT_EQ(info.ivSize, want.iv);
    EXPECT_EQ(info.blockSize, want.block);
    EXPECT_EQ(info.cipherMode, stream ? 0u : 2u);
    EXPECT_EQ(info.isStream, stream ? 1 : 0);
    EXPECT_EQ(info.extraSize, 0u);
    EXPECT_EQ(info.flag, want.id == 50 ? 1u : 0u);
    EXPECT_EQ(catalogue.GetHashAlgorithm(want.id), want.hash);

    EXPECT_EQ(GetAlgorithmNameA(want.id), want.name);
    EXPECT_EQ(GetAlgorithmNameW(want.id), Widen(want.name));
    ExpectFound(Widen(want.name), want.id);
  }
}

TEST(AlgInfo, UnknownIdsGiveZeroRecordsAndEmptyNames) {
  AlgInfo catalogue;
  for (uint32_t id : {0u, 1u, 49u, 253u, 305u, 1001u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(id);
    const crypto::SAlgInfo info = catalogue.GetInfo(id);
    EXPECT_EQ(info.keySize, 0);
    EXPECT_EQ(info.ivSize, 0);
    EXPECT_EQ(info.cipherMode | info.blockSize | info.extraSize | info.flag | info.isStream, 0u);
    EXPECT_EQ(catalogue.GetHashAlgorithm(id), 0u);
    EXPECT_EQ(GetAlgorithmNameA(id), "");
    EXPECT_EQ(GetAlgorithmNameW(id), L"");
  }
}

// The hash follows the sizes that GetInfo reports, also when a subclass
// reports other sizes; the digest is the smallest at least as long as the key.
TEST(AlgInfo, HashChoiceFollowsTheReportedKeySize) {
  struct SizedInfo : AlgInfo {
    int32_t key = 0, iv = 8;
    crypto::SAlgInfo GetInfo(uint32_t) override {
      crypto::SAlgInfo info;
      info.keySize = key;
      info.ivSize = iv;
      return info;
    }
  };
  const struct {
    int32_t key, iv;
    uint32_t hash;
  } cases[] = {{1, 8, 20},  {28, 8, 20}, {29, 8, 21}, {32, 8, 21}, {33, 8, 22}, {48, 8, 22},
               {49, 8, 23}, {64, 8, 23}, {65, 8, 23}, {0, 8, 0},   {16, 0, 0},  {-1, 8, 0}};
  SizedInfo info;
  for (const auto& c : cases) {
    info.key = c.key;
    info.iv = c.iv;
    EXPECT_EQ(info.GetHashAlgorithm(250), c.hash) << "key " << c.key << " iv " << c.iv;
  }
}

TEST(AlgInfo, LookupIgnoresLetterCaseOnly) {
  ExpectFound(L"AES-256", 252);
  ExpectFound(L"aes-256", 252);
  ExpectFound(L"aEs-256", 252);
  ExpectFound(L"tea", 950);
  ExpectFound(L"xtea", 951);
  ExpectFound(L"des_ede2", 600);
  ExpectFound(L"gost-28147-89", 1000);
  // Counted up to the first NUL, as the name reached the program.
  ExpectFound(std::wstring(L"AES-256\0junk", 12), 252);

  for (const wchar_t* name : {L"", L"AES256", L" AES-256", L"AES-256 ", L"AES-2560", L"AES",
                              L"DES-EDE2", L"SHA3-256", L"Panama\t"}) {
    ExpectNotFound(name);
  }
}

// Under a Turkish locale the C library folds 'I' to a dotless i; names with
// an I must still be found.
TEST(AlgInfo, LookupWorksUnderATurkishLocale) {
  const std::locale saved;
  ASSERT_NO_THROW(std::locale::global(std::locale("tr_TR.UTF-8")));
  ExpectFound(L"IDEA", 550);
  ExpectFound(L"idea", 550);
  ExpectFound(L"TWOFISH-128", 400);
  ExpectFound(L"skipjack", 850);
  ExpectFound(L"SHACAL2-512", 904);
  ExpectNotFound(L"\u0131dea");  // dotless i is not an ASCII letter
  std::locale::global(saved);
}

TEST(AlgInfo, HashAndModeNames) {
  const struct {
    uint32_t id;
    const char* name;
  } hashes[] = {{1, "SHA1"},         {13, "SHA-512"},       {20, "SHA3-224"},
                {23, "SHA3-512"},    {30, "Tiger-192"},     {53, "RIPEMD-320"},
                {100, "Skein256-224"}, {110, "Skein1024-1024"}, {301, "MD4"},
                {303, "MD5"},        {304, "Panama"},       {401, "CRC32"},
                {0, ""},             {2, ""},               {302, ""},
                {402, ""}};
  for (const auto& h : hashes) EXPECT_EQ(GetHashName(h.id), h.name) << h.id;

  const char* modes[] = {"", "ECB", "CBC", "CTS", "CFB", "OFB", "CTR", ""};
  for (uint32_t id = 0; id < std::size(modes); ++id) EXPECT_EQ(GetCipherModeName(id), modes[id]);
}

}  // namespace
}  // namespace tarnwick::cryptopp
