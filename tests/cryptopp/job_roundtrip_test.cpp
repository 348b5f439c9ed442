// The encrypted file format end to end: the known files computed outside
// this code base, and every algorithm through both factories.
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/platform/platform.h"
#include "tests/cryptopp/catalogue_rows.h"
#include "tests/cryptopp/job_test_support.h"
#include "tests/cryptopp/known_answers.h"

namespace qmtest {
namespace {

TEST(JobKnownFiles, AreWrittenByteForByteAndReadBack) {
  for (const auto& row : ReadTsv("files.tsv")) {
    SCOPED_TRACE(row[0]);
    const uint32_t id = tarnwick::cryptopp::FindAlgorithmByName(
                            tarnwick::platform::DecodeSystemText(row[1])).algorithmId;
    const std::string plain = ReadFile(VectorsDir() + "/files/" + row[3]);
    const std::string file = ReadFile(VectorsDir() + "/files/" + row[0]);
    ASSERT_EQ(plain, Pattern(std::stoul(row[4])));
    ASSERT_EQ(file.size(), std::stoul(row[5]));
    const JobRun encrypted = Encrypted(id, plain, row[2].c_str());
    EXPECT_EQ(encrypted.result, Result2{});
    EXPECT_TRUE(encrypted.bytes() == file);
    const JobRun decrypted = Decrypted(id, file, row[2].c_str());
    EXPECT_EQ(decrypted.result, Result2{});
    EXPECT_TRUE(decrypted.bytes() == plain);
  }
}

const char kPassword[] = "p\xC3\xA4ssw\xC3\xB6rd";  // UTF-8, as the program passes it

class EveryAlgorithm : public testing::TestWithParam<CatalogueRow> {};

TEST_P(EveryAlgorithm, RoundTripsWithTheStoredLengths) {
  const CatalogueRow row = GetParam();
  // Both factories bind the id to its row.
  const auto constants = [](const auto& job) {
    return std::vector<uint32_t>{job->GetLibraryType(), job->GetAlgorithmId(), job->GetKeySize(),
                                 job->GetIvSize()};
  };
  const std::vector<uint32_t> want = {1, row.id, uint32_t(row.key), uint32_t(row.iv)};
  EXPECT_EQ(constants(MakeEncryptor(row.id)), want);
  EXPECT_EQ(constants(MakeDecryptor(row.id)), want);
  for (size_t size : {0, 1, 55, 56, 32712, 32713, 300 * 1024 + 3}) {
    SCOPED_TRACE(size);
    const std::string plain = Pattern(size);
    const JobRun encrypted = Encrypted(row.id, plain, kPassword);
    ASSERT_EQ(encrypted.result, Result2{});
    const size_t stream = size == 0 ? 0 : 56 + size;
    const size_t block = row.block == 0 ? 1 : row.block;
    EXPECT_EQ(encrypted.bytes().size(), (stream + block - 1) / block * block);
    if (size >= 55) {
      EXPECT_EQ(encrypted.bytes().find(plain.substr(0, 55)), std::string::npos);
    }
    const JobRun decrypted = Decrypted(row.id, encrypted.bytes(), kPassword);
    EXPECT_EQ(decrypted.result, Result2{});
    EXPECT_TRUE(decrypted.bytes() == plain);
  }
  // A salt changes the file, not what it decrypts to.
  const JobRun salted = Encrypted(row.id, Pattern(100), kPassword, true);
  EXPECT_NE(salted.bytes(), Encrypted(row.id, Pattern(100), kPassword).bytes());
  EXPECT_TRUE(Decrypted(row.id, salted.bytes(), kPassword).bytes() == Pattern(100));
}

TEST_P(EveryAlgorithm, RefusesForeignAndDamagedFilesBeforeWriting) {
  const CatalogueRow row = GetParam();
  const std::string file = Encrypted(row.id, Pattern(32713), kPassword).bytes();
  size_t index = 0;
  while (kCatalogue[index].id != row.id) ++index;
  const uint32_t other = kCatalogue[(index + 1) % std::size(kCatalogue)].id;
  const size_t cut = row.block == 0 ? 1 : row.block;
  struct Case {
    uint32_t id;
    std::string bytes;
    const char* password;
    uint32_t code;
  } cases[] = {
      {row.id, file, "password", 4003},
      {row.id, file, "", 4003},
      {other, file, kPassword, 4003},
      {row.id, file.substr(0, file.size() - cut), kPassword, 4005},
      {row.id, file.substr(0, 56 + row.block), kPassword, 4005},
      {row.id, file.substr(0, 1), kPassword, 4004},
      {row.id, file.substr(0, 55), kPassword, 4004},
  };
  for (const Case& c : cases) {
    const JobRun decrypted = Decrypted(c.id, c.bytes, c.password);
    EXPECT_EQ(decrypted.result, (Result2{5, c.code, 0, 0})) << c.bytes.size() << " " << c.id;
    EXPECT_TRUE(decrypted.out.writes().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Jobs, EveryAlgorithm, testing::ValuesIn(kCatalogue),
                         [](const testing::TestParamInfo<CatalogueRow>& info) {
                           return "id" + std::to_string(info.param.id);
                         });

}  // namespace
}  // namespace qmtest
