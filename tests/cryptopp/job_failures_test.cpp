// Read and write failures and exceptions inside a run: each maps to its
// result, nothing is written after it, and the job runs again.
#include <cerrno>
#include <stdexcept>
#include <string>

#include <cryptopp/cryptlib.h>
#include <gtest/gtest.h>

#include "tests/cryptopp/job_test_support.h"

namespace qmtest {
namespace {

constexpr size_t kAll = ~size_t{0};

TEST(JobFailures, ReadsWritesAndExceptionsMapToResults) {
  const std::string plain = Pattern(100000);
  const std::string file = Encrypted(252, plain).bytes();
  const struct {
    int64_t failReadFrom;   // -1: never
    int64_t claimedSize;    // -1: what is held
    size_t capacity;        // of the output before it is full
    int throwAtRead;        // 0: never; 1: std::runtime_error; 2: Crypto++
    size_t maxWritten;
    Result2 encrypting, decrypting;
  } cases[] = {
      {10, -1, kAll, 0, 0, {5, 60, 1, EIO}, {5, 60, 1, EIO}},
      {40000, -1, kAll, 0, 32768, {5, 60, 1, EIO}, {5, 60, 1, EIO}},
      {-1, 200000, kAll, 0, 3 * 32768, {5, 60, 0, 0}, {5, 60, 0, 0}},  // input ends early
      {-1, -1, 40000, 0, 40000, {5, 61, 1, ENOSPC}, {5, 61, 1, ENOSPC}},
      {-1, -1, kAll, 1, 32768, {53, 6, 5, 4020}, {53, 6, 5, 4021}},
      {-1, -1, kAll, 2, 32768, {53, 4, 5, 4020}, {53, 4, 5, 4021}},
  };
  const auto encryptor = MakeEncryptor(252);
  const auto decryptor = MakeDecryptor(252);
  for (const auto& c : cases) {
    for (bool decrypt : {false, true}) {
      JobRun run(decrypt ? file : plain);
      if (c.failReadFrom >= 0) run.in.FailReadsFrom(c.failReadFrom, {1, EIO});
      if (c.claimedSize >= 0) run.in.ClaimSize(c.claimedSize);
      run.in.onRead = [&](int read) {
        if (read == 1 && c.throwAtRead == 1) throw std::runtime_error("stream broke");
        if (read == 1 && c.throwAtRead == 2) {
          throw CryptoPP::Exception(CryptoPP::Exception::INVALID_DATA_FORMAT, "bad data");
        }
      };
      run.out.LimitTo(c.capacity, {1, ENOSPC});
      decrypt ? run.Decrypt(*decryptor) : run.Encrypt(*encryptor);
      const Result2 expected = decrypt ? c.decrypting : c.encrypting;
      EXPECT_EQ(run.result, expected) << decrypt << " " << c.maxWritten;
      EXPECT_EQ(run.recorder.events.back(), "finish 0 " + std::to_string(expected.code));
      EXPECT_LE(run.bytes().size(), c.maxWritten);
      EXPECT_EQ(run.out.writesAfterFailure(), 0);
      // Unkeyed and idle again: the next run succeeds.
      EXPECT_EQ(decrypt ? JobRun(file).Decrypt(*decryptor).result
                        : JobRun(plain).Encrypt(*encryptor).result,
                Result2{});
    }
  }
}

}  // namespace
}  // namespace qmtest
