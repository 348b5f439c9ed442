// Console signals while a job runs: Ctrl+C and a closed terminal cancel it
// and keep what was written; Ctrl+Break and shut-down are left to their
// default action. The input is never touched.
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <random>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "tests/e2e/job_run_support.h"
#include "tests/support/run_program.h"

namespace {

using Clock = std::chrono::steady_clock;
using qmjob::FileSize;
using qmjob::Job;
using qmjob::ShowsJob;

// One of the slowest ciphers over a sparse input: the job runs for a
// second or more, long enough to be interrupted once it has begun writing.
constexpr const char* kSlow = "DES_EDE3";

class JobSignals : public ::testing::Test {
 protected:
  // Runs the job and sends `sig` once `due` says so (by default once the
  // output has its first bytes); `sent` tells whether it was sent.
  qmtest::RunResult RunAndSignal(const Job& job, int sig,
                                 std::function<bool(const std::string&)> due = nullptr) {
    if (!due) {
      due = [&](const std::string& shown) {
        return shown.find(qmjob::Progress("  0.000")) != std::string::npos && FileSize(job.out) > 0;
      };
    }
    sent = false;
    qmtest::RunOptions options;
    options.coreDumps = false;
    options.watch = [&](int pid, const std::string& shown) {
      if (!sent && due(shown)) sent = kill(pid, sig) == 0;
    };
    return job.Run(options);
  }

  qmtest::TempDir dir_;
  bool sent = false;
};

TEST_F(JobSignals, InterruptOrHangUpCancelsAndKeepsThePartialOutput) {
  const std::string big = dir_ / "big.bin", small = dir_ / "small.bin", enc = dir_ / "small.enc";
  qmjob::MakeSparseFile(big, 64ll << 20);
  qmjob::MakeSparseFile(small, 16ll << 20);
  ASSERT_EQ((Job{true, small, enc, kSlow}.Run().exitCode), 0);
  const struct {
    Job job;
    int sig;
    long long whole;
  } cases[] = {{{true, big, dir_ / "int.enc", kSlow}, SIGINT, 64ll << 20},
               {{true, big, dir_ / "hup.enc", kSlow}, SIGHUP, 64ll << 20},
               {{false, enc, dir_ / "int.dec", kSlow}, SIGINT, 16ll << 20}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.job.out);
    const qmtest::RunResult r = RunAndSignal(c.job, c.sig);
    ASSERT_TRUE(sent) << "the job ended before it could be interrupted";
    EXPECT_EQ(r.signal, 0);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(ShowsJob(r.out, c.job.Header(), qmjob::kCanceledEnd));
    EXPECT_GT(FileSize(c.job.out), 0);
    EXPECT_LT(FileSize(c.job.out), c.whole);
  }
}

// Memory holds the password and plaintext: the program allows itself no
// core file, even where the user allows one.
TEST_F(JobSignals, BreakEndsTheProcessAsItsDefaultActionDoesWithoutACore) {
  const Job job{true, dir_ / "big.bin", dir_ / "big.enc", kSlow};
  qmjob::MakeSparseFile(job.in, 64ll << 20);
  qmtest::RunOptions options;
  options.cwd = dir_.path();
  std::string limits;
  options.watch = [&](int pid, const std::string&) {
    if (sent || FileSize(job.out) <= 0) return;
    limits = qmtest::ReadFile("/proc/" + std::to_string(pid) + "/limits");
    sent = kill(pid, SIGQUIT) == 0;
  };
  const qmtest::RunResult r = job.Run(options);
  ASSERT_TRUE(sent);
  EXPECT_EQ(r.signal, SIGQUIT);
  EXPECT_EQ(r.out.find("canceled"), std::string::npos);
  EXPECT_TRUE(std::regex_search(limits, std::regex("Max core file size +0 +0 ")));
  for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
    EXPECT_EQ(entry.path().filename().string().rfind("core", 0), std::string::npos) << entry.path();
  }
}

// Ctrl+C and a closed terminal cancel (exit 0, the output a prefix of the
// whole); SIGTERM ends the process by its default action. A signal that
// comes before the job starts or after it ends leaves a whole output. The
// clock starts with the banner, printed once the signals are taken over.
TEST_F(JobSignals, SignalsAtRandomMomentsNeverCrashHangOrTouchTheInput) {
  const std::string plain = qmjob::Pattern(4 << 20, 5);
  const std::string in = dir_ / "many.bin", enc = dir_ / "many.enc";
  qmtest::WriteFile(in, plain);
  const auto started = Clock::now();
  ASSERT_EQ((Job{true, in, enc, kSlow}.Run().exitCode), 0);
  const auto jobTime = Clock::now() - started;
  const std::string cipher = qmtest::ReadFile(enc);

  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  std::uniform_int_distribution<long long> delays(
      0, std::chrono::duration_cast<std::chrono::microseconds>(jobTime).count() * 5 / 4);
  const int signals[] = {SIGINT, SIGHUP, SIGTERM};
  for (int run = 0; run < 20; ++run) {
    const int sig = signals[run % 3];
    const bool encrypt = run % 2 == 0;
    const Job job{encrypt, encrypt ? in : enc, dir_ / "run.out", kSlow};
    const std::string& whole = encrypt ? cipher : plain;
    // Some signals come at once, while the job is being prepared.
    const auto delay = std::chrono::microseconds(run % 5 == 4 ? 0 : delays(random));
    SCOPED_TRACE("run " + std::to_string(run) + ", signal " + std::to_string(sig) + " after " +
                 std::to_string(delay.count()) + " us");
    std::filesystem::remove(job.out);
    Clock::time_point bannerAt{};
    const qmtest::RunResult r = RunAndSignal(job, sig, [&](const std::string& shown) {
      if (shown.size() < qmjob::Banner().size()) return false;
      if (bannerAt == Clock::time_point{}) bannerAt = Clock::now();
      return Clock::now() - bannerAt >= delay;
    });

    EXPECT_EQ(qmtest::ReadFile(job.in), encrypt ? plain : cipher);
    const std::string written = qmtest::ReadFile(job.out);
    EXPECT_TRUE(qmjob::IsPrefixOf(written, whole));
    if (r.signal != 0) {
      EXPECT_EQ(r.signal, SIGTERM) << "only SIGTERM may end the process";
      continue;
    }
    EXPECT_EQ(r.exitCode, 0);
    if (ShowsJob(r.out, job.Header(), qmjob::SuccessEnd(encrypt, encrypt ? "many.bin" : "many.enc"))) {
      EXPECT_EQ(written.size(), whole.size());
    } else {
      EXPECT_NE(sig, SIGTERM);
      EXPECT_TRUE(ShowsJob(r.out, job.Header(), qmjob::kCanceledEnd));
    }
  }
}

}  // namespace
