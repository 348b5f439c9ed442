// Faults from outside the program while it works: outputs that cannot
// grow, inputs it may not read, folders it cannot make, an input that
// shrinks under it, and signals at any moment. Each ends with its exact
// failure line and exit code, and nothing is lost: the input stays as it
// was and what was written of the output is a true prefix.
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/e2e/job_run_support.h"
#include "tests/support/run_program.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using qmjob::FailureEnd;
using qmjob::JobHeader;
using qmjob::Quellmark;
using qmjob::ShowsJob;

constexpr const char* kAlgorithm = "AES-256";
// Slow enough that a job lasts long enough to be caught in the middle.
constexpr const char* kSlowAlgorithm = "DES_EDE3";

std::vector<std::string> JobArgs(bool encrypt, const std::string& in, const std::string& out,
                                 const std::string& algorithm) {
  return {encrypt ? "/enc" : "/dec", "/i", in, "/o", out, "/alg", algorithm, "/psw", "pw"};
}

::testing::AssertionResult IsPrefixOf(const std::string& part, const std::string& whole) {
  if (part.size() <= whole.size() && whole.compare(0, part.size(), part) == 0) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << part.size() << " bytes that are not a prefix of the " << whole.size() << " expected";
}

// A small tmpfs mounted on a folder for the life of the object; mounted()
// is false where the test may not mount (not root, or no capability).
class SmallFileSystem {
 public:
  SmallFileSystem(const std::string& folder, const char* size) : folder_(folder) {
    fs::create_directory(folder_);
    const std::string options = std::string("size=") + size;
    mounted_ = mount("qmtest", folder_.c_str(), "tmpfs", 0, options.c_str()) == 0;
  }
  ~SmallFileSystem() {
    if (mounted_) umount2(folder_.c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }

 private:
  std::string folder_;
  bool mounted_ = false;
};

class Faults : public ::testing::Test {
 protected:
  void SetUp() override {
    qmtest::WriteFile(in_, plain_);
    ASSERT_EQ(Quellmark(JobArgs(true, in_, enc_, kAlgorithm)).exitCode, 0);
    cipher_ = qmtest::ReadFile(enc_);
  }

  // Runs one job expecting exit code 7 after `lines` (the runner's own,
  // may be empty) and the closing line with `text`; the input must be
  // untouched afterwards.
  void ExpectFailure(bool encrypt, const std::string& out, const std::string& lines,
                     const std::string& text, qmtest::RunOptions options = {},
                     std::vector<std::string> before = {}) {
    const std::string& in = encrypt ? in_ : enc_;
    std::vector<std::string> args = JobArgs(encrypt, in, out, kAlgorithm);
    args.insert(args.begin(), before.begin(), before.end());
    const qmtest::RunResult r = Quellmark(args, options);
    EXPECT_EQ(r.signal, 0);
    EXPECT_EQ(r.exitCode, 7);
    EXPECT_TRUE(ShowsJob(r.out, JobHeader(encrypt, kAlgorithm, in, out) + lines,
                         FailureEnd(encrypt, in, text)));
    EXPECT_EQ(qmtest::ReadFile(in), encrypt ? plain_ : cipher_);
  }

  qmtest::TempDir dir_;
  const std::string in_ = dir_ / "in.bin";
  const std::string enc_ = dir_ / "in.enc";
  const std::string plain_ = qmjob::Pattern(256 << 10, 3);
  std::string cipher_;
};

TEST_F(Faults, AFileSizeLimitStopsADecryptionAtTheLimit) {
  const std::string out = dir_ / "out.bin";
  qmtest::RunOptions options;
  options.fileSizeLimit = 100000;
  ExpectFailure(false, out, "", "File too large (error: 5/61,1/27)", options);
  const std::string written = qmtest::ReadFile(out);
  EXPECT_EQ(written.size(), 100000u);
  EXPECT_TRUE(IsPrefixOf(written, plain_));
}

TEST_F(Faults, AFullFileSystemFailsEitherDirection) {
  const std::string mountPoint = dir_ / "small";
  SmallFileSystem small(mountPoint, "64k");
  if (!small.mounted()) GTEST_SKIP() << "may not mount a tmpfs here";
  for (const bool encrypt : {true, false}) {
    SCOPED_TRACE(encrypt ? "encrypt" : "decrypt");
    const std::string out = mountPoint + "/out";
    fs::remove(out);
    ExpectFailure(encrypt, out, "", "No space left on device (error: 5/61,1/28)");
    const std::string written = qmtest::ReadFile(out);
    EXPECT_GT(written.size(), 0u);
    EXPECT_LE(written.size(), 64u << 10);
    EXPECT_TRUE(IsPrefixOf(written, encrypt ? cipher_ : plain_));
  }
}

TEST_F(Faults, AnOutputFolderUnderAFileCannotBeMade) {
  for (const bool encrypt : {true, false}) {
    SCOPED_TRACE(encrypt ? "encrypt" : "decrypt");
    const std::string folder = (encrypt ? in_ : enc_) + "/sub/";
    ExpectFailure(encrypt, folder + "out",
                  "[ERROR] Failed to create the directory for the output file. Directory path: " +
                      folder + ". Error: Not a directory (error: 1/20).\r\n"
                               "[ERROR] Failed to open output file. Error: Not a directory "
                               "(error: 1/20).\r\n",
                  "Not a directory (error: 1/20)");
  }
}

// Root reads every file: the case needs the program to run as nobody.
TEST_F(Faults, AnInputTheUserMayNotReadIsRefusedBeforeAnyOutput) {
  if (geteuid() != 0 || !qmtest::FileExists("/usr/bin/setpriv")) {
    GTEST_SKIP() << "needs root and setpriv";
  }
  qmtest::RunOptions asNobody;
  asNobody.program = "/usr/bin/setpriv";
  const std::vector<std::string> nobody = {"--reuid=nobody", "--regid=nogroup",
                                           "--clear-groups", QM_PROGRAM_PATH};
  std::vector<std::string> help = nobody;
  help.push_back("/help");
  if (Quellmark(help, asNobody).exitCode != 0) GTEST_SKIP() << "nobody cannot run the program";

  const std::string open = dir_ / "open";
  fs::create_directory(open);
  ASSERT_EQ(chmod(dir_.path().c_str(), 0755), 0);
  ASSERT_EQ(chmod(open.c_str(), 0777), 0);
  for (const bool encrypt : {true, false}) {
    SCOPED_TRACE(encrypt ? "encrypt" : "decrypt");
    ASSERT_EQ(chmod((encrypt ? in_ : enc_).c_str(), 0600), 0);
    const std::string out = open + "/out";
    ExpectFailure(encrypt, out,
                  "[ERROR] Failed to open input file. Error: Permission denied (error: 1/13).\r\n",
                  "Permission denied (error: 1/13)", asNobody, nobody);
    EXPECT_FALSE(qmtest::FileExists(out));
  }
}

TEST_F(Faults, AnInputThatShrinksWhileEncryptedFailsTheRead) {
  const std::string big = dir_ / "big.bin", out = dir_ / "big.enc";
  constexpr long long kSize = 64ll << 20, kCut = 16ll << 20;
  qmtest::WriteFile(big, "");
  fs::resize_file(big, kSize);  // sparse: reads as zeros, costs no disk
  long long writtenAtCut = -1;
  qmtest::RunOptions options;
  options.watch = [&](int, const std::string&) {
    const long long written = qmjob::FileSize(out);
    if (writtenAtCut >= 0 || written <= 0) return;
    writtenAtCut = written;
    fs::resize_file(big, kCut);
  };
  const qmtest::RunResult r = Quellmark(JobArgs(true, big, out, kSlowAlgorithm), options);
  ASSERT_GE(writtenAtCut, 0) << "the job ended before its input could be cut";
  ASSERT_LT(writtenAtCut, kCut / 2) << "the input was cut too late to tell";
  EXPECT_EQ(r.signal, 0);
  EXPECT_EQ(r.exitCode, 7);
  EXPECT_TRUE(ShowsJob(r.out, JobHeader(true, kSlowAlgorithm, big, out),
                       FailureEnd(true, big, "Input/output error (error: 5/60,1/5)")));
  // Every whole chunk read before the end came is written; the part of a
  // chunk found at the new end is not.
  EXPECT_EQ(qmjob::FileSize(out), kCut);
}

// Ctrl+C and a closed terminal cancel (exit 0, the output a prefix of the
// whole); SIGTERM ends the process by its default action. A signal that
// comes before the job starts or after it ends leaves a whole output. The
// clock starts with the banner, printed once the signals are taken over.
TEST_F(Faults, SignalsAtRandomMomentsNeverCrashHangOrTouchTheInput) {
  const std::string plain = qmjob::Pattern(4 << 20, 5);
  const std::string in = dir_ / "many.bin", enc = dir_ / "many.enc", out = dir_ / "run.out";
  qmtest::WriteFile(in, plain);
  const auto started = Clock::now();
  ASSERT_EQ(Quellmark(JobArgs(true, in, enc, kSlowAlgorithm)).exitCode, 0);
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
    const std::string& input = encrypt ? in : enc;
    const std::string& whole = encrypt ? cipher : plain;
    // Some signals come at once, while the job is being prepared.
    const auto delay = std::chrono::microseconds(run % 5 == 4 ? 0 : delays(random));
    SCOPED_TRACE("run " + std::to_string(run) + ", signal " + std::to_string(sig) + " after " +
                 std::to_string(delay.count()) + " us");
    fs::remove(out);

    bool sent = false;
    Clock::time_point bannerAt{};
    qmtest::RunOptions options;
    options.coreDumps = false;
    options.watch = [&](int pid, const std::string& shown) {
      if (sent || shown.size() < qmjob::Banner().size()) return;
      if (bannerAt == Clock::time_point{}) bannerAt = Clock::now();
      if (Clock::now() - bannerAt < delay) return;
      kill(pid, sig);
      sent = true;
    };
    const qmtest::RunResult r = Quellmark(JobArgs(encrypt, input, out, kSlowAlgorithm), options);

    EXPECT_EQ(qmtest::ReadFile(input), encrypt ? plain : cipher);
    const std::string written = qmtest::ReadFile(out);
    EXPECT_TRUE(IsPrefixOf(written, whole));
    const std::string header = JobHeader(encrypt, kSlowAlgorithm, input, out);
    if (r.signal != 0) {
      EXPECT_EQ(r.signal, SIGTERM) << "only SIGTERM may end the process";
      continue;
    }
    EXPECT_EQ(r.exitCode, 0);
    const bool finished =
        ShowsJob(r.out, header, qmjob::SuccessEnd(encrypt, fs::path(input).filename()));
    if (finished) {
      EXPECT_EQ(written.size(), whole.size());
    } else {
      EXPECT_NE(sig, SIGTERM);
      EXPECT_TRUE(ShowsJob(r.out, header, qmjob::kCanceledEnd));
    }
  }
}

}  // namespace
