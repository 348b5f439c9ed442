// Jobs that fail on what lies outside the program: places the user may not
// use, folders that cannot be made, outputs that cannot grow. Each ends with
// exit code 7 and its exact lines, and nothing is lost: the input stays as it
// was and what was written of the output is a true prefix.
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/e2e/job_run_support.h"

namespace {

namespace fs = std::filesystem;
using qmjob::FailureEnd;
using qmjob::Job;
using qmjob::ShowsJob;

// A small tmpfs mounted on a folder for the life of the object; `mounted`
// is false where the test may not mount (not root, or no capability).
struct SmallFileSystem {
  explicit SmallFileSystem(const std::string& folder) : folder(folder) {
    fs::create_directory(folder);
    mounted = mount("qmtest", folder.c_str(), "tmpfs", 0, "size=64k") == 0;
  }
  ~SmallFileSystem() {
    if (mounted) umount2(folder.c_str(), MNT_DETACH);
  }
  std::string folder;
  bool mounted = false;
};

class FailedJob : public ::testing::Test {
 protected:
  void SetUp() override {
    qmtest::WriteFile(in_, plain_);
    ASSERT_EQ((Job{true, in_, enc_}.Run().exitCode), 0);
    cipher_ = qmtest::ReadFile(enc_);
  }

  // The AES-256 job of in.bin or of its encrypted form.
  Job Of(bool encrypt, const std::string& out) const {
    return {encrypt, encrypt ? in_ : enc_, out};
  }

  // Runs a job that must end with 7: its header, the runner's `lines`
  // (may be empty), then the closing line with `text`.
  void ExpectFailure(const Job& job, const std::string& lines, const std::string& text,
                     const qmtest::RunOptions& options = {}) {
    const std::string input = qmtest::ReadFile(job.in);
    const qmtest::RunResult r = job.Run(options);
    EXPECT_EQ(r.signal, 0);
    EXPECT_EQ(r.exitCode, 7);
    EXPECT_TRUE(ShowsJob(r.out, job.Header() + lines, FailureEnd(job.encrypt, job.in, text)));
    EXPECT_EQ(qmtest::ReadFile(job.in), input);
  }

  qmtest::TempDir dir_;
  const std::string in_ = dir_ / "in.bin", enc_ = dir_ / "in.enc";
  const std::string plain_ = qmjob::Pattern(256 << 10, 3);
  std::string cipher_;
};

// Missing output folders are made, all levels, unless a file stands in
// the way.
TEST_F(FailedJob, AnOutputFolderUnderAFileCannotBeMade) {
  const Job job = Of(false, dir_ / "one/two/three/out.dec");
  const qmtest::RunResult r = job.Run();
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_TRUE(ShowsJob(r.out, job.Header(), qmjob::SuccessEnd(false, "in.enc")));
  EXPECT_TRUE(qmtest::ReadFile(job.out) == plain_);
  for (const bool encrypt : {true, false}) {
    const std::string folder = (encrypt ? in_ : enc_) + "/sub/";
    ExpectFailure(
        Of(encrypt, folder + "out"),
        "[ERROR] Failed to create the directory for the output file. Directory path: " + folder +
            ". Error: Not a directory (error: 1/20).\r\n"
            "[ERROR] Failed to open output file. Error: Not a directory (error: 1/20).\r\n",
        "Not a directory (error: 1/20)");
  }
}

TEST_F(FailedJob, AnOutputThatCannotGrowKeepsWhatWasWritten) {
  qmtest::RunOptions limited;
  limited.fileSizeLimit = 100000;
  SmallFileSystem small(dir_ / "small");
  for (const bool encrypt : {true, false}) {
    SCOPED_TRACE(encrypt ? "encrypt" : "decrypt");
    const std::string& whole = encrypt ? cipher_ : plain_;
    const Job overLimit = Of(encrypt, dir_ / "limited");
    fs::remove(overLimit.out);
    ExpectFailure(overLimit, "", "File too large (error: 5/61,1/27)", limited);
    EXPECT_TRUE(qmtest::ReadFile(overLimit.out) == whole.substr(0, 100000));
    if (!small.mounted) continue;  // may not mount a tmpfs here
    const Job full = Of(encrypt, small.folder + "/out");
    fs::remove(full.out);
    ExpectFailure(full, "", "No space left on device (error: 5/61,1/28)");
    const std::string written = qmtest::ReadFile(full.out);
    EXPECT_TRUE(written.size() > 0 && written.size() <= 64 << 10) << written.size();
    EXPECT_TRUE(written == whole.substr(0, written.size()));
  }
}

TEST_F(FailedJob, PlacesTheUserMayNotReadOrWriteAreTold) {
  if (geteuid() != 0 || qmjob::Quellmark({"/help"}, {}, true).exitCode != 0) {
    GTEST_SKIP() << "needs root, setpriv and a program nobody may run";
  }
  const std::string locked = dir_ / "locked", open = dir_ / "open";
  fs::create_directory(locked);
  fs::create_directory(open);
  ASSERT_EQ(chmod(dir_.path().c_str(), 0755), 0);
  ASSERT_EQ(chmod(locked.c_str(), 0555), 0);
  ASSERT_EQ(chmod(open.c_str(), 0777), 0);
  ASSERT_EQ(chmod(in_.c_str(), 0644), 0);
  const std::string denied = "Permission denied (error: 1/13)";
  Job job{true, in_, locked + "/out.enc", "AES-256", "pw", true};
  ExpectFailure(job, "[ERROR] Failed to open output file. Error: " + denied + ".\r\n", denied);

  // Inputs refused before any output is made.
  ASSERT_EQ(chmod(in_.c_str(), 0600), 0);
  ASSERT_EQ(chmod(enc_.c_str(), 0600), 0);
  for (const bool encrypt : {true, false}) {
    job = Of(encrypt, open + "/out");
    job.asNobody = true;
    ExpectFailure(job, "[ERROR] Failed to open input file. Error: " + denied + ".\r\n", denied);
    EXPECT_FALSE(qmtest::FileExists(job.out));
  }
}

}  // namespace
