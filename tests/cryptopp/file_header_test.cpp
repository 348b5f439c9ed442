#include <cstdint>
#include <cstring>
#include <ctime>
#include <string>

#include <cryptopp/keccak.h>
#include <gtest/gtest.h>

#include "cryptopp/file_header.h"
#include "tests/support/run_program.h"

namespace tarnwick::cryptopp {
namespace {

using qmtest::Bytes;
using qmtest::FromHex;

Bytes Digest(uint32_t algorithmId, uint64_t plainSize) {
  Bytes digest(32, 0);
  EXPECT_EQ(ComputeHeaderDigest(digest.data(), algorithmId, plainSize), gen::Result2{});
  return digest;
}

Bytes Slice(const EncryptedFileHeader& header, size_t offset, size_t length) {
  return Bytes(header.bytes + offset, header.bytes + offset + length);
}

TEST(HeaderDigest, KnownAnswers) {
  for (const auto& row : qmtest::ReadTsv("header_digests.tsv")) {
    SCOPED_TRACE(row[0] + " " + row[1]);
    EXPECT_EQ(Digest(std::stoul(row[0]), std::stoull(row[1])), FromHex(row[2]));
  }
  EXPECT_EQ(ComputeHeaderDigest(nullptr, 250, 0), (gen::Result2{5, 6, 0, 0}));
}

// The C library's rand with seed 1 famously starts 41, 18467, 6334, 26500,
// 19169, 15724: the same generator.
TEST(HeaderSalt, SixOutputsDividedBy128AndNothingElseTouched) {
  EncryptedFileHeader header;
  ASSERT_EQ(BuildFileHeader(250, 77, &header), gen::Result2{});
  const EncryptedFileHeader before = header;
  FillHeaderSaltWithSeed(&header, 1);
  EXPECT_EQ(Slice(header, 48, 6), (Bytes{0, 144, 49, 207, 149, 122}));
  EXPECT_EQ(Slice(header, 0, 48), Slice(before, 0, 48));
  EXPECT_EQ(Slice(header, 54, 2), Slice(before, 54, 2));
}

// Seeded anew from the clock at every call: a salt is never the one before
// it, and never the same for every run.
TEST(HeaderSalt, SeededFromTheClockAtEveryCall) {
  for (int call = 0; call < 2; ++call) {
    EncryptedFileHeader salted{}, now{}, secondBefore{};
    FillHeaderSalt(&salted);
    const auto seconds = static_cast<uint32_t>(std::time(nullptr));
    FillHeaderSaltWithSeed(&now, seconds);
    FillHeaderSaltWithSeed(&secondBefore, seconds - 1);
    const Bytes salt = Slice(salted, 48, 6);
    EXPECT_TRUE(salt == Slice(now, 48, 6) || salt == Slice(secondBefore, 48, 6)) << call;
  }
}

}  // namespace
}  // namespace tarnwick::cryptopp
