// Jobs that fail: exit code 7 with the runner's own lines before the
// closing failure line, or the closing line alone for the engine's errors.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/e2e/job_run_support.h"
#include "tests/support/run_program.h"

namespace {

namespace fs = std::filesystem;
using qmjob::FailureEnd;
using qmjob::JobHeader;
using qmjob::Quellmark;
using qmjob::ShowsJob;

class FailedJob : public ::testing::Test {
 protected:
  void SetUp() override {
    qmtest::WriteFile(in_, qmjob::Pattern(100, 1));
    const qmtest::RunResult r =
        Quellmark({"/enc", "/i", in_, "/o", enc_, "/alg", "AES-256", "/psw", "right"});
    ASSERT_EQ(r.exitCode, 0) << r.out;
  }

  // Decrypts `input` as AES-256 with the right password unless told
  // otherwise, and checks the closing failure line and the exit code.
  void ExpectDecryptFailure(const std::string& input, const std::string& algorithm,
                            const std::string& password, const std::string& text) {
    const std::string out = dir_ / "out.dec";
    fs::remove(out);
    const qmtest::RunResult r =
        Quellmark({"/dec", "/i", input, "/o", out, "/alg", algorithm, "/psw", password});
    EXPECT_EQ(r.exitCode, 7) << text;
    EXPECT_TRUE(ShowsJob(r.out, JobHeader(false, algorithm, input, out),
                         FailureEnd(false, input, text)));
  }

  qmtest::TempDir dir_;
  const std::string in_ = dir_ / "in.bin";
  const std::string enc_ = dir_ / "in.enc";
};

TEST_F(FailedJob, WrongPasswordOrAlgorithmIsFoundInTheHeader) {
  ExpectDecryptFailure(enc_, "AES-256", "wrong", "(error: 5/4003)");
  ExpectDecryptFailure(enc_, "AES-256", "", "(error: 5/4003)");
  ExpectDecryptFailure(enc_, "AES-128", "right", "(error: 5/4003)");
  ExpectDecryptFailure(enc_, "Twofish-256", "right", "(error: 5/4003)");
}

TEST_F(FailedJob, DamagedFilesAreRefused) {
  const std::string cipher = qmtest::ReadFile(enc_);
  ASSERT_EQ(cipher.size(), 160u);
  const struct {
    size_t keep;
    const char* text;
  } cases[] = {
      {150, "(error: 5/4005)"},  // not whole blocks
      {144, "(error: 5/4005)"},  // whole blocks, shorter than the header says
      {10, "(error: 5/4004)"},   // shorter than the header itself
  };
  for (const auto& c : cases) {
    const std::string cut = dir_ / "cut.enc";
    qmtest::WriteFile(cut, cipher.substr(0, c.keep));
    ExpectDecryptFailure(cut, "AES-256", "right", c.text);
  }
}

TEST_F(FailedJob, OutputNamingTheInputInOtherLettersIsRefusedUntouched) {
  for (bool encrypt : {true, false}) {
    const std::string input = encrypt ? in_ : enc_;
    const std::string output = encrypt ? dir_ / "IN.BIN" : dir_ / "IN.ENC";
    const std::string before = qmtest::ReadFile(input);
    const qmtest::RunResult r = Quellmark({encrypt ? "/enc" : "/dec", "/i", input, "/o", output,
                                           "/alg", "AES-256", "/psw", "right"});
    EXPECT_EQ(r.exitCode, 7);
    EXPECT_TRUE(ShowsJob(
        r.out,
        JobHeader(encrypt, "AES-256", input, output) +
            "[ERROR] Output file name matches the name of the input file.\n",
        FailureEnd(encrypt, input, "(error: 5/206)")));
    EXPECT_FALSE(qmtest::FileExists(output));
    EXPECT_EQ(qmtest::ReadFile(input), before);
  }
}

TEST_F(FailedJob, MissingOutputFoldersAreCreated) {
  const std::string out = dir_ / "one/two/three/out.dec";
  const qmtest::RunResult r =
      Quellmark({"/dec", "/i", enc_, "/o", out, "/alg", "AES-256", "/psw", "right"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_TRUE(ShowsJob(r.out, JobHeader(false, "AES-256", enc_, out),
                       qmjob::SuccessEnd(false, "in.enc")));
  EXPECT_EQ(qmtest::ReadFile(out), qmtest::ReadFile(in_));
}

TEST_F(FailedJob, AnOutputThatCannotGrowFailsTheWrite) {
  const std::string big = dir_ / "big.bin", out = dir_ / "big.enc";
  qmtest::WriteFile(big, qmjob::Pattern(1 << 20, 2));
  qmtest::RunOptions options;
  options.fileSizeLimit = 100000;
  const qmtest::RunResult r =
      Quellmark({"/enc", "/i", big, "/o", out, "/alg", "AES-256", "/psw", "x"}, options);
  EXPECT_EQ(r.signal, 0);
  EXPECT_EQ(r.exitCode, 7);
  EXPECT_TRUE(ShowsJob(r.out, JobHeader(true, "AES-256", big, out),
                       FailureEnd(true, big, "File too large (error: 5/61,1/27)")));
  EXPECT_EQ(qmjob::FileSize(out), 100000);  // what was written stays
}

// The tests run as root, who may write anywhere: the case needs another user.
TEST_F(FailedJob, AnOutputFolderTheUserMayNotWriteIsTold) {
  if (geteuid() != 0 || !qmtest::FileExists("/usr/bin/setpriv")) {
    GTEST_SKIP() << "needs root and setpriv";
  }
  const std::string locked = dir_ / "locked";
  fs::create_directory(locked);
  ASSERT_EQ(chmod(dir_.path().c_str(), 0755), 0);
  ASSERT_EQ(chmod(locked.c_str(), 0555), 0);
  ASSERT_EQ(chmod(in_.c_str(), 0644), 0);
  auto asNobody = [&](std::vector<std::string> args) {
    qmtest::RunOptions options;
    options.program = "/usr/bin/setpriv";
    args.insert(args.begin(), {"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                               QM_PROGRAM_PATH});
    return Quellmark(args, options);
  };
  if (asNobody({"/help"}).exitCode != 0) GTEST_SKIP() << "nobody cannot run the program here";
  auto encrypt = [&](const std::string& out) {
    return asNobody({"/enc", "/i", in_, "/o", out, "/alg", "AES-256", "/psw", "x"});
  };

  std::string out = locked + "/out.enc";
  qmtest::RunResult r = encrypt(out);
  EXPECT_EQ(r.exitCode, 7);
  EXPECT_TRUE(ShowsJob(
      r.out,
      JobHeader(true, "AES-256", in_, out) +
          "[ERROR] Failed to open output file. Error: Permission denied (error: 1/13).\r\n",
      FailureEnd(true, in_, "Permission denied (error: 1/13)")));

  out = locked + "/new/sub/out.enc";
  r = encrypt(out);
  EXPECT_EQ(r.exitCode, 7);
  EXPECT_TRUE(ShowsJob(
      r.out,
      JobHeader(true, "AES-256", in_, out) +
          "[ERROR] Failed to create the directory for the output file. Directory path: " +
          locked + "/new/sub/. Error: Permission denied (error: 1/13).\r\n"
          "[ERROR] Failed to open output file. Error: No such file or directory (error: 1/2).\r\n",
      FailureEnd(true, in_, "No such file or directory (error: 1/2)")));
  EXPECT_FALSE(qmtest::FileExists(locked + "/new"));
}

}  // namespace
