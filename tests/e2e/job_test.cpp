// Whole jobs through the real program: every algorithm there and back,
// larger files, and the encrypted files computed outside this code base.
#include <cctype>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cryptopp/alg_info.h"
#include "tests/cryptopp/known_answers.h"
#include "tests/e2e/job_run_support.h"
#include "tests/support/run_program.h"

namespace {

using qmjob::Job;
using qmjob::ShowsJob;
using qmjob::SuccessEnd;

// Test names take letters and digits only.
std::string TestName(std::string text) {
  for (char& c : text) {
    if (!isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return text;
}

// Encrypts in.bin to out.enc and that back to out.dec; checks both runs
// and the bytes that come back. The job tests check the encrypted lengths
// of every algorithm, the known files below their bytes.
void RoundTrip(const qmtest::TempDir& dir, const std::string& algorithm,
               const std::string& password, const std::string& plain,
               std::vector<std::string> more = {}) {
  const Job there{true, dir / "in.bin", dir / "out.enc", algorithm, password, false, more};
  const Job back{false, there.out, dir / "out.dec", algorithm, password};
  qmtest::WriteFile(there.in, plain);
  qmtest::RunResult r = there.Run();
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_TRUE(ShowsJob(r.out, there.Header(), SuccessEnd(true, "in.bin")));
  r = back.Run();
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_TRUE(ShowsJob(r.out, back.Header(), SuccessEnd(false, "out.enc")));
  EXPECT_TRUE(qmtest::ReadFile(back.out) == plain);
}

class EveryAlgorithm : public ::testing::TestWithParam<size_t> {};

// Sizes across block and header boundaries; passwords with and without
// non-ASCII letters, one empty.
TEST_P(EveryAlgorithm, RoundTripsThroughTheProgram) {
  const size_t index = GetParam();
  const uint32_t id = tarnwick::cryptopp::AlgorithmTable[index].algorithmId;
  qmtest::TempDir dir;
  RoundTrip(dir, tarnwick::cryptopp::GetAlgorithmNameA(id),
            index == 0 ? "" : index % 2 ? "p\xC3\xA4sswort \xE2\x82\xAC" : "pw",
            qmjob::Pattern(1 + index * 7, id));
}

INSTANTIATE_TEST_SUITE_P(Catalogue, EveryAlgorithm, ::testing::Range<size_t>(0, 54),
                         [](const ::testing::TestParamInfo<size_t>& info) {
                           return TestName(tarnwick::cryptopp::GetAlgorithmNameA(
                               tarnwick::cryptopp::AlgorithmTable[info.param].algorithmId));
                         });

TEST(WholeJob, LargerAndEmptyFilesRoundTrip) {
  const struct {
    const char* algorithm;
    size_t size;
    std::vector<std::string> more;
  } cases[] = {
      {"AES-256", 3u << 20, {}},
      {"Salsa20-128", (5u << 20) + 3, {"/usesalt"}},  // a salt changes nothing read back
      {"SHACAL2-512", (3u << 20) - 1, {}},
      {"Blowfish-448", 0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.algorithm);
    RoundTrip(qmtest::TempDir(), c.algorithm, "secret", qmjob::Pattern(c.size, 7), c.more);
  }
}

// /usesalt puts a salt into the header's bytes 48 to 53 and changes
// nothing else: under a stream cipher the salted file differs from the
// plain one there alone, and it reads back all the same.
TEST(WholeJob, UseSaltFillsTheHeaderSaltAlone) {
  qmtest::TempDir dir;
  const std::string plain = qmjob::Pattern(100000, 3);
  qmtest::WriteFile(dir / "in.bin", plain);
  const Job bare{true, dir / "in.bin", dir / "bare.enc", "Salsa20-128"};
  const Job salted{true, dir / "in.bin", dir / "salted.enc", "Salsa20-128", "pw", false,
                   {"/usesalt"}};
  const Job back{false, salted.out, dir / "back.bin", "Salsa20-128"};
  ASSERT_EQ(bare.Run().exitCode, 0);
  ASSERT_EQ(salted.Run().exitCode, 0);
  const std::string a = qmtest::ReadFile(bare.out), b = qmtest::ReadFile(salted.out);
  ASSERT_EQ(a.size(), b.size());
  size_t inSalt = 0, elsewhere = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i]) ++(i >= 48 && i < 54 ? inSalt : elsewhere);
  }
  EXPECT_GT(inSalt, 0u);
  EXPECT_EQ(elsewhere, 0u);
  EXPECT_EQ(back.Run().exitCode, 0);
  EXPECT_TRUE(qmtest::ReadFile(back.out) == plain);
}

// Rows: file, algorithm, password, plaintext file, ...
class KnownFile : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(KnownFile, IsWrittenByteForByteAndReadBack) {
  const std::string files = qmtest::VectorsDir() + "/files/", known = files + GetParam()[0];
  const std::string &algorithm = GetParam()[1], &password = GetParam()[2];
  qmtest::TempDir dir;
  const Job there{true, dir / "in.bin", dir / "out.enc", algorithm, password};
  const Job back{false, known, dir / "back.bin", algorithm, password};
  qmtest::WriteFile(there.in, qmtest::ReadFile(files + GetParam()[3]));

  EXPECT_EQ(there.Run().exitCode, 0);
  EXPECT_TRUE(qmtest::ReadFile(there.out) == qmtest::ReadFile(known));
  const qmtest::RunResult r = back.Run();
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_TRUE(ShowsJob(r.out, back.Header(), SuccessEnd(false, GetParam()[0])));
  EXPECT_TRUE(qmtest::ReadFile(back.out) == qmtest::ReadFile(there.in));
}

INSTANTIATE_TEST_SUITE_P(Vectors, KnownFile, ::testing::ValuesIn(qmtest::ReadTsv("files.tsv")),
                         [](const auto& info) { return TestName(info.param[0]); });

}  // namespace
