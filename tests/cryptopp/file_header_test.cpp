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

// Stored files need the Keccak submission's padding; the FIPS 202 digest
// of the same block differs.
TEST(HeaderDigest, IsKeccakNotFips202) {
  const auto row = qmtest::ReadTsv("header_block_fips.tsv").at(0);
  const Bytes block = FromHex(row[2]);
  ASSERT_EQ(block.size(), 256u);
  Bytes keccak(32);
  CryptoPP::Keccak_256().CalculateDigest(keccak.data(), block.data(), block.size());
  EXPECT_EQ(keccak, FromHex(row[3]));
  const Bytes ours = Digest(std::stoul(row[0]), std::stoull(row[1]));
  EXPECT_EQ(ours, keccak);
  EXPECT_NE(ours, FromHex(row[4]));
}

TEST(FileHeader, BuildWritesEveryByte) {
  EncryptedFileHeader header;
  std::memset(header.bytes, 0xAA, sizeof(header.bytes));
  const uint64_t size = 0x0102030405060708ull;
  ASSERT_EQ(BuildFileHeader(804, size, &header), gen::Result2{});
  EXPECT_EQ(Slice(header, 0, 2), (Bytes{2, 0}));
  EXPECT_EQ(Slice(header, 2, 32), Digest(804, size));
  EXPECT_EQ(Slice(header, 34, 6), Bytes(6, 0));
  EXPECT_EQ(Slice(header, 40, 8), (Bytes{8, 7, 6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(Slice(header, 48, 8), Bytes(8, 0));
  EXPECT_EQ(BuildFileHeader(804, size, nullptr), (gen::Result2{5, 6, 0, 0}));
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
