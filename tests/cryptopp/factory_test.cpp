// The factories' tests in order; the jobs of every row are made and run
// by the round-trip tests.
#include <cstdint>

#include <gtest/gtest.h>

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
    SCOPED_TRACE(std::to_string(c.libraryType) + "/" + std::to_string(c.id));
    auto* encryptor = reinterpret_cast<Encryptor*>(0x1234);
    auto* decryptor = reinterpret_cast<Decryptor*>(0x5678);
    const Result2 refused{5, c.code, 0, 0};
    EXPECT_EQ(tarnwick::cryptopp::CEncryptorFactory().Create(
                  c.libraryType, c.id, c.address ? &encryptor : nullptr), refused);
    EXPECT_EQ(tarnwick::cryptopp::CDecryptorFactory().Create(
                  c.libraryType, c.id, c.address ? &decryptor : nullptr), refused);
    EXPECT_EQ(encryptor, reinterpret_cast<Encryptor*>(0x1234));
    EXPECT_EQ(decryptor, reinterpret_cast<Decryptor*>(0x5678));
  }
}

}  // namespace
}  // namespace qmtest
