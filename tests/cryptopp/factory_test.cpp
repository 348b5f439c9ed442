// The factories: their tests in order, and the 54 ids bound to their rows.
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "tests/cryptopp/catalogue_rows.h"
#include "tests/cryptopp/job_test_support.h"

namespace qmtest {
namespace {

TEST(Factory, RefusesWithoutTouchingTheCallersVariable) {
  const struct {
    uint32_t libraryType, id;
    bool address;
    uint32_t code;
  } cases[] = {{7, 250, false, 5}, {1, 250, false, 5}, {0, 250, true, 70}, {2, 250, true, 70},
               {1, 0, true, 70},   {1, 49, true, 70},  {1, 51, true, 70},  {1, 253, true, 70},
               {1, 305, true, 70}, {1, 999, true, 70}, {1, 1001, true, 70},
               {1, 1050, true, 70}, {1, 0x800000FAu, true, 70}, {1, 0xFFFFFFFFu, true, 70}};
  for (const auto& c : cases) {
    auto* encryptor = reinterpret_cast<Encryptor*>(0x1234);
    auto* decryptor = reinterpret_cast<Decryptor*>(0x5678);
    const Result2 refused{5, c.code, 0, 0};
    EXPECT_EQ(tarnwick::cryptopp::CEncryptorFactory().Create(
                  c.libraryType, c.id, c.address ? &encryptor : nullptr), refused) << c.id;
    EXPECT_EQ(tarnwick::cryptopp::CDecryptorFactory().Create(
                  c.libraryType, c.id, c.address ? &decryptor : nullptr), refused) << c.id;
    EXPECT_EQ(encryptor, reinterpret_cast<Encryptor*>(0x1234));
    EXPECT_EQ(decryptor, reinterpret_cast<Decryptor*>(0x5678));
  }
}

TEST(Factory, MakesTheJobOfEveryRow) {
  for (const CatalogueRow& row : kCatalogue) {
    SCOPED_TRACE(row.name);
    const auto encryptor = MakeEncryptor(row.id);
    const auto decryptor = MakeDecryptor(row.id);
    ASSERT_TRUE(encryptor && decryptor);
    EXPECT_EQ(encryptor->GetLibraryType() + decryptor->GetLibraryType(), 2u);
    EXPECT_EQ(encryptor->GetAlgorithmId(), row.id);
    EXPECT_EQ(decryptor->GetAlgorithmId(), row.id);
    EXPECT_EQ(encryptor->GetKeySize(), static_cast<uint32_t>(row.key));
    EXPECT_EQ(decryptor->GetKeySize(), static_cast<uint32_t>(row.key));
    EXPECT_EQ(encryptor->GetIvSize(), static_cast<uint32_t>(row.iv));
    EXPECT_EQ(decryptor->GetIvSize(), static_cast<uint32_t>(row.iv));
    EXPECT_FALSE(encryptor->IsRunning() || decryptor->IsRunning());
    EXPECT_EQ(encryptor->GetProgress() + decryptor->GetProgress(), 0.0f);
  }
}

// Two jobs of one id share nothing: a stop asked of one while the other
// runs leaves the other running to its end.
TEST(Factory, JobsOfOneIdAreIndependent) {
  const auto first = MakeEncryptor(804);
  const auto second = MakeEncryptor(804);
  ASSERT_NE(first, second);
  JobRun run(Pattern(100000));
  run.in.onRead = [&](int) { first->Stop(); };
  EXPECT_EQ(run.Encrypt(*second).result, Result2{});
  EXPECT_EQ(run.recorder.events.back(), "finish 0 0");
  EXPECT_EQ(run.bytes().size(), 100056u);
}

}  // namespace
}  // namespace qmtest
