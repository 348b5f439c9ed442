// Console signals while a job runs: Ctrl+C and a closed terminal cancel it
// and keep what was written; Ctrl+Break is left to its default action.
#include <signal.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/e2e/job_run_support.h"
#include "tests/support/run_program.h"

namespace {

namespace fs = std::filesystem;
using qmjob::JobHeader;
using qmjob::Quellmark;
using qmjob::ShowsJob;

// One of the slowest ciphers over a sparse input: the job runs for a
// second or more, long enough to be interrupted once it has begun writing.
constexpr const char* kSlowAlgorithm = "DES_EDE3";
constexpr long long kBigSize = 64ll << 20;

// Reads as zeros, costs no disk.
void MakeSparseFile(const std::string& path, long long size) {
  qmtest::WriteFile(path, "");
  fs::resize_file(path, static_cast<std::uintmax_t>(size));
}

class CanceledJob : public ::testing::Test {
 protected:
  // Runs the job and sends `sig` once the output has its first bytes;
  // answers whether it was sent.
  qmtest::RunResult RunAndSignal(bool encrypt, const std::string& in, const std::string& out,
                                 int sig, bool* sent) {
    *sent = false;
    qmtest::RunOptions options;
    options.coreDumps = false;
    options.watch = [&](int pid, const std::string& shown) {
      if (*sent || shown.find(qmjob::Progress("  0.000")) == std::string::npos ||
          qmjob::FileSize(out) <= 0) {
        return;
      }
      kill(pid, sig);
      *sent = true;
    };
    return Quellmark({encrypt ? "/enc" : "/dec", "/i", in, "/o", out, "/alg", kSlowAlgorithm,
                      "/psw", "x"},
                     options);
  }

  void SetUp() override { MakeSparseFile(big_, kBigSize); }

  qmtest::TempDir dir_;
  const std::string big_ = dir_ / "big.bin";
};

TEST_F(CanceledJob, InterruptOrHangUpCancelsAndKeepsThePartialOutput) {
  for (int sig : {SIGINT, SIGHUP}) {
    const std::string out = dir_ / "big.enc";
    fs::remove(out);
    bool sent = false;
    const qmtest::RunResult r = RunAndSignal(true, big_, out, sig, &sent);
    ASSERT_TRUE(sent) << "the job ended before it could be interrupted";
    EXPECT_EQ(r.signal, 0) << sig;
    EXPECT_EQ(r.exitCode, 0) << sig;
    EXPECT_TRUE(ShowsJob(r.out, JobHeader(true, kSlowAlgorithm, big_, out), qmjob::kCanceledEnd));
    const long long written = qmjob::FileSize(out);
    EXPECT_GT(written, 0) << sig;
    EXPECT_LT(written, kBigSize) << sig;
  }
}

TEST_F(CanceledJob, ADecryptionEndsWithTheSameLine) {
  const std::string small = dir_ / "small.bin", enc = dir_ / "small.enc", out = dir_ / "back.bin";
  MakeSparseFile(small, 16 << 20);
  ASSERT_EQ(Quellmark({"/enc", "/i", small, "/o", enc, "/alg", kSlowAlgorithm, "/psw", "x"})
                .exitCode,
            0);
  bool sent = false;
  const qmtest::RunResult r = RunAndSignal(false, enc, out, SIGINT, &sent);
  ASSERT_TRUE(sent) << "the job ended before it could be interrupted";
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_TRUE(ShowsJob(r.out, JobHeader(false, kSlowAlgorithm, enc, out), qmjob::kCanceledEnd));
  EXPECT_LT(qmjob::FileSize(out), 16 << 20);
}

TEST_F(CanceledJob, BreakEndsTheProcessAsItsDefaultActionDoes) {
  bool sent = false;
  const qmtest::RunResult r = RunAndSignal(true, big_, dir_ / "big.enc", SIGQUIT, &sent);
  ASSERT_TRUE(sent);
  EXPECT_EQ(r.signal, SIGQUIT);
  EXPECT_EQ(r.out.find("canceled"), std::string::npos);
}

}  // namespace
