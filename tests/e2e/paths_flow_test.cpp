// The main flow up to the job: resolving the input and output, the
// existing output under /rewrite and /confirm, and the job header.
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/e2e/job_run_support.h"

namespace {

namespace fs = std::filesystem;
using qmjob::Job;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A folder with the program placed in it, so bare names and "../" steps
// resolve here. /proc/self/exe resolves symbolic links, so the program is
// hard-linked or copied, never linked symbolically.
class PathsFlow : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ / "elsewhere");
    fs::create_directories(dir_ / "bin/folder");
    std::error_code ec;
    fs::create_hard_link(QM_PROGRAM_PATH, program_, ec);
    if (ec) fs::copy_file(QM_PROGRAM_PATH, program_);
    qmtest::WriteFile(in_, "plain text");
  }

  // Runs the program from another folder, so the current folder never
  // stands in for the program folder; expects the exit code (unless -1)
  // and `shown` somewhere in the output.
  qmtest::RunResult Run(std::vector<std::string> args, int code, const std::string& shown,
                        const std::string& input = {}) {
    qmtest::RunOptions options;
    options.program = program_;
    options.cwd = dir_ / "elsewhere";
    options.input = input;
    qmtest::RunResult r = qmjob::Quellmark(args, options);
    EXPECT_TRUE(code < 0 || r.exitCode == code) << r.exitCode << " " << r.out;
    EXPECT_TRUE(Contains(r.out, shown)) << r.out;
    return r;
  }
  qmtest::RunResult Encrypt(const std::string& out, std::vector<std::string> more, int code,
                            const std::string& shown, const std::string& input = {}) {
    more.insert(more.begin(), {"/enc", "/i", "in.txt", "/o", out, "/alg", "AES-256"});
    return Run(more, code, shown, input);
  }

  qmtest::TempDir dir_;
  const std::string program_ = dir_ / "bin/quellmark";
  const std::string in_ = dir_ / "bin/in.txt", out_ = dir_ / "bin/out.enc";
};

TEST_F(PathsFlow, MissingInputEndsWith2Or3) {
  // A bare name is looked for in the program folder, even when the
  // current folder holds a file of that name.
  qmtest::WriteFile(dir_ / "elsewhere/only-here.txt", "x");
  Run({"/encrypt", "/alg", "AES-256"}, 2,
      "[ERROR] Failed to encrypt file. Input file not defined.\n");
  Run({"/decrypt", "/alg", "AES-256", "/i", ""}, 2,
      "[ERROR] Failed to decrypt file. Input file not defined.\n");
  Run({"/enc", "/i", "only-here.txt", "/alg", "AES-256"}, 3,
      "[ERROR] Failed to encrypt file '" + (dir_ / "bin/only-here.txt") + "'. File not found.\r\n");
  Run({"/dec", "/i", "folder", "/alg", "AES-256"}, 3,
      "[ERROR] Failed to decrypt file '" + (dir_ / "bin/folder") + "'. File not found.\r\n");
}

TEST_F(PathsFlow, HeaderShowsResolvedPathsAndTheGeneratedOutput) {
  qmtest::WriteFile(dir_ / "top.txt", "x");
  const std::string top = dir_ / "top.txt";
  Run({"/enc", "/i", "../top.txt", "/alg", "aes-256"}, 0,
      "Generated output file: '" + top + ".enc'.\r\n" +
          Job{true, top, top + ".enc"}.Header().substr(qmjob::kBanner.size()));
  EXPECT_TRUE(qmtest::FileExists(top + ".enc"));
}

// Whatever stands at the output stays unless /rewrite removes it: never the
// input itself (under another name, letter case or link), never a FIFO,
// and never what a link points to.
TEST_F(PathsFlow, TheInputAndWhatLinksPointToAreNeverTheOutput) {
  fs::create_hard_link(in_, dir_ / "bin/hard.txt");
  fs::create_symlink(in_, dir_ / "bin/soft.txt");
  qmtest::WriteFile(dir_ / "bin/IN.TXT", "other file, same name in other letters");
  for (const std::string out : {"in.txt", "../bin/./in.txt", "hard.txt", "soft.txt", "IN.TXT"}) {
    SCOPED_TRACE(out);
    const auto r = Encrypt(out, {"/rewrite"}, 6, ") already exists.\r\n");
    EXPECT_FALSE(Contains(r.out, "deleted"));
    EXPECT_TRUE(qmtest::FileExists(dir_ / ("bin/" + out)));
  }
  EXPECT_EQ(qmtest::ReadFile(in_), "plain text");

  const std::string fifo = dir_ / "bin/out.fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const auto r = Run({"/dec", "/i", "in.txt", "/o", fifo, "/alg", "AES-256", "/rewrite"}, 6,
                     "[ERROR] Failed to delete file. File path: " + fifo + ". Error: ");
  EXPECT_TRUE(Contains(
      r.out, "[ERROR] Failed to decrypt file. Output file (" + fifo + ") already exists.\r\n"));

  const std::string link = dir_ / "bin/link.enc", target = dir_ / "victim";
  fs::create_symlink(target, link);  // dangling
  Encrypt(link, {}, 6, "Output file (" + link + ") already exists.\r\n");
  for (const bool targetExists : {false, true}) {
    if (targetExists) {
      qmtest::WriteFile(target, "victim");
      fs::remove(link);
      fs::create_symlink(target, link);
    }
    EXPECT_EQ(qmtest::FileExists(target), targetExists);
    Encrypt(link, {"/rewrite"}, 0,
            "Already existing file has been deleted. File path: " + link + ".\r\n");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(link)));
  }
  EXPECT_EQ(qmtest::ReadFile(target), "victim");
}

TEST_F(PathsFlow, ConfirmDeletesOnlyAfterYes) {
  const std::pair<std::string, bool> cases[] = {
      {"y\n", true}, {"YES\n", true},   {"\n\n  Yes\n", true}, {"n\n", false},
      {"", false},   {"yess\n", false}, {"ye\n", false},
  };
  for (const auto& [answer, deleted] : cases) {
    SCOPED_TRACE(answer);
    qmtest::WriteFile(out_, "old");
    const auto r = Encrypt(out_, {"/rewrite", "/confirm"}, deleted ? 0 : 6,
                           "Rewrite file 'out.enc' [Y(yes)/N(no)]?", answer);
    EXPECT_EQ(Contains(r.out, "Already existing file has been deleted."), deleted);
    EXPECT_EQ(qmtest::ReadFile(out_) == "old", !deleted);
  }
  // Nothing to rewrite: no question at all.
  fs::remove(out_);
  const auto r = Encrypt(out_, {"/rewrite", "/confirm"}, 0, "File encryption.\n");
  EXPECT_FALSE(Contains(r.out, "Rewrite file"));
}

// ".." is taken textually, as on Windows: after a folder that does not
// exist it cannot lead the output around the checks onto the input or
// another file. The lines show the paths as given.
TEST_F(PathsFlow, DotDotAfterAMissingFolderNamesTheFileItTextuallyNames) {
  const std::string enc = dir_ / "bin/in.enc", other = dir_ / "bin/other.txt";
  const std::string missing = dir_ / "bin/nosuch";
  ASSERT_EQ((Job{true, in_, enc}.Run().exitCode), 0);
  for (const bool encrypt : {true, false}) {
    const std::string in = encrypt ? in_ : enc, input = qmtest::ReadFile(in);
    const std::string onInput = missing + "/../" + (encrypt ? "in.txt" : "in.enc");
    const std::string onOther = missing + "/../other.txt";
    const std::vector<std::pair<std::string, std::vector<std::string>>> refused = {
        {onInput, {}}, {onInput, {"/rewrite"}}, {onInput, {"/rewrite", "/confirm"}}, {onOther, {}}};
    for (const auto& [out, flags] : refused) {
      SCOPED_TRACE(out + " " + std::to_string(flags.size()));
      qmtest::WriteFile(other, "other");
      qmtest::RunOptions options;
      options.input = "y\n";
      const qmtest::RunResult r = Job{encrypt, in, out, "AES-256", "pw", false, flags}.Run(options);
      EXPECT_EQ(r.exitCode, 6);
      EXPECT_EQ(r.out, qmjob::kBanner +
                           (encrypt ? "[ERROR] Failed to encrypt file. "
                                    : "[ERROR] Failed to decrypt file. ") +
                           "Output file (" + out + ") already exists.\r\n");
      EXPECT_EQ(qmtest::ReadFile(other), "other");
    }
    const Job job{encrypt, in, onOther, "AES-256", "pw", false, {"/rewrite"}};
    const qmtest::RunResult r = job.Run();
    EXPECT_EQ(r.exitCode, 0);
    const std::string shown = qmjob::kBanner +
                              "Already existing file has been deleted. File path: " + job.out +
                              ".\r\n" + job.Header().substr(qmjob::kBanner.size());
    EXPECT_TRUE(
        qmjob::ShowsJob(r.out, shown, qmjob::SuccessEnd(encrypt, encrypt ? "in.txt" : "in.enc")));
    EXPECT_EQ(qmtest::ReadFile(other), encrypt ? qmtest::ReadFile(enc) : "plain text");
    EXPECT_EQ(qmtest::ReadFile(in), input);
    EXPECT_FALSE(qmtest::FileExists(missing));
  }
}

}  // namespace
