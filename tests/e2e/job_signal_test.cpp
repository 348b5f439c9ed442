// Console signals while a job runs: Ctrl+C and a closed terminal cancel it
// and keep what was written; Ctrl+Break and shut-down are left to their
// default action. The input is never touched.
#include <signal.h>

#include <filesystem>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "tests/e2e/job_run_support.h"

namespace {

using qmjob::FileSize;
using qmjob::Job;

// One of the slowest ciphers over a sparse input: the job runs for a
// second or more, long enough to be signalled once it has begun writing.
constexpr const char* kSlow = "DES_EDE3";

class JobSignals : public ::testing::Test {
 protected:
  // Runs the job and sends `sig` once the output has its first bytes,
  // reading the program's limits then; `sent` tells whether it was sent.
  qmtest::RunResult RunAndSignal(const Job& job, int sig) {
    sent = false;
    const long long inputSize = FileSize(job.in);
    qmtest::RunOptions options;
    options.cwd = dir_.path();
    options.watch = [&](int pid, const std::string&) {
      if (sent || FileSize(job.out) <= 0) return;
      limits = qmtest::ReadFile("/proc/" + std::to_string(pid) + "/limits");
      sent = kill(pid, sig) == 0;
    };
    const qmtest::RunResult r = job.Run(options);
    EXPECT_TRUE(sent) << "the job ended before it could be signalled";
    EXPECT_EQ(FileSize(job.in), inputSize);
    return r;
  }

  qmtest::TempDir dir_;
  bool sent = false;
  std::string limits;
};

TEST_F(JobSignals, InterruptOrHangUpCancelsAndKeepsThePartialOutput) {
  const std::string big = dir_ / "big.bin", small = dir_ / "small.bin", enc = dir_ / "small.enc";
  qmjob::MakeSparseFile(big, 64ll << 20);
  qmjob::MakeSparseFile(small, 16ll << 20);
  ASSERT_EQ((Job{true, small, enc, kSlow}.Run().exitCode), 0);
  const std::pair<Job, int> cases[] = {{{true, big, dir_ / "int.enc", kSlow}, SIGINT},
                                       {{true, big, dir_ / "hup.enc", kSlow}, SIGHUP},
                                       {{false, enc, dir_ / "int.dec", kSlow}, SIGINT}};
  for (const auto& [job, sig] : cases) {
    SCOPED_TRACE(job.out);
    const qmtest::RunResult r = RunAndSignal(job, sig);
    EXPECT_EQ(r.signal, 0);
    EXPECT_EQ(r.exitCode, 0);
    // The whole transcript, and the job never showed 100 (after a
    // decryption too, the closing line names encryption).
    EXPECT_TRUE(
        qmjob::ShowsJob(r.out, job.Header(), "\nFile encryption was canceled.\n\n", true));
    EXPECT_GT(FileSize(job.out), 0);
    EXPECT_LT(FileSize(job.out), job.encrypt ? 64ll << 20 : 16ll << 20);
  }
}

// Memory holds the password and plaintext: the program allows itself no
// core file, even where the user allows one.
TEST_F(JobSignals, BreakAndShutDownEndTheProcessAsTheirDefaultActionsDoWithoutACore) {
  const Job job{true, dir_ / "big.bin", dir_ / "big.enc", kSlow};
  qmjob::MakeSparseFile(job.in, 64ll << 20);
  for (const int sig : {SIGQUIT, SIGTERM}) {
    std::filesystem::remove(job.out);
    const qmtest::RunResult r = RunAndSignal(job, sig);
    EXPECT_EQ(r.signal, sig);
    EXPECT_EQ(r.out.find("canceled"), std::string::npos);
    EXPECT_TRUE(std::regex_search(limits, std::regex("Max core file size +0 +0 ")));
  }
  for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
    EXPECT_EQ(entry.path().filename().string().rfind("core", 0), std::string::npos) << entry.path();
  }
}

}  // namespace
