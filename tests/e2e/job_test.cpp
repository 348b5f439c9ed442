// Whole jobs through the real program: the files computed outside this
// code base byte for byte, and the salt.
#include <cctype>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/e2e/job_run_support.h"
#include "tests/support/run_program.h"

namespace {

using qmjob::Job;
using qmjob::ShowsJob;
using qmjob::SuccessEnd;

// Rows: file, algorithm, password, plaintext file, ...
class KnownFile : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(KnownFile, IsWrittenByteForByteAndReadBack) {
  const std::string files = qmtest::VectorsDir() + "/files/", known = files + GetParam()[0];
  const std::string &algorithm = GetParam()[1], &password = GetParam()[2];
  qmtest::TempDir dir;
  const Job there{true, dir / "in.bin", dir / "out.enc", algorithm, password};
  const Job back{false, known, dir / "back.bin", algorithm, password};
  qmtest::WriteFile(there.in, qmtest::ReadFile(files + GetParam()[3]));

  qmtest::RunResult r = there.Run();
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_TRUE(ShowsJob(r.out, there.Header(), SuccessEnd(true, "in.bin")));
  EXPECT_TRUE(qmtest::ReadFile(there.out) == qmtest::ReadFile(known));
  r = back.Run();
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_TRUE(ShowsJob(r.out, back.Header(), SuccessEnd(false, GetParam()[0])));
  EXPECT_TRUE(qmtest::ReadFile(back.out) == qmtest::ReadFile(there.in));
}

INSTANTIATE_TEST_SUITE_P(Vectors, KnownFile, ::testing::ValuesIn(qmtest::ReadTsv("files.tsv")),
                         [](const auto& info) {
                           std::string name = info.param[0];  // letters and digits only
                           for (char& c : name) c = isalnum(c & 0xFF) ? c : '_';
                           return name;
                         });

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

}  // namespace
