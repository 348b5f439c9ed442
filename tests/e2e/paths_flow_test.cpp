// The main flow up to the job: resolving the input and output, the
// existing output under /rewrite and /confirm, and the job header.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/run_program.h"

namespace {

namespace fs = std::filesystem;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A folder with the program placed in it, so bare names and "../" steps
// resolve here. /proc/self/exe resolves symbolic links, so the program is
// hard-linked or copied, never linked symbolically.
class PathsFlow : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ / "bin");
    fs::create_directories(dir_ / "elsewhere");
    std::error_code ec;
    fs::create_hard_link(QM_PROGRAM_PATH, program_, ec);
    if (ec) fs::copy_file(QM_PROGRAM_PATH, program_);
    qmtest::WriteFile(dir_ / "bin/in.txt", "plain text");
  }

  // Runs the program from another folder, so the current folder never
  // stands in for the program folder.
  qmtest::RunResult Run(std::vector<std::string> args, const std::string& input = {}) {
    args.insert(args.begin(), program_);
    qmtest::RunOptions options;
    options.program = program_;
    options.cwd = dir_ / "elsewhere";
    options.input = input;
    options.timeoutSeconds = 60;
    qmtest::RunResult result = qmtest::Run(args, options);
    EXPECT_EQ(result.err, "");  // sanitizer reports land here
    return result;
  }

  qmtest::TempDir dir_;
  const std::string program_ = dir_ / "bin/quellmark";
  const std::string in_ = dir_ / "bin/in.txt";
};

TEST_F(PathsFlow, MissingInputEndsWith2Or3) {
  fs::create_directories(dir_ / "bin/folder");
  auto r = Run({"/encrypt", "/alg", "AES-256"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(Contains(r.out, "[ERROR] Failed to encrypt file. Input file not defined.\n"));
  r = Run({"/decrypt", "/alg", "AES-256", "/i", ""});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(Contains(r.out, "[ERROR] Failed to decrypt file. Input file not defined.\n"));

  // A bare name is looked for in the program folder, even when the
  // current folder holds a file of that name.
  qmtest::WriteFile(dir_ / "elsewhere/only-here.txt", "x");
  r = Run({"/enc", "/i", "only-here.txt", "/alg", "AES-256"});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_TRUE(Contains(r.out, "[ERROR] Failed to encrypt file '" + (dir_ / "bin/only-here.txt") +
                                  "'. File not found.\r\n"))
      << r.out;
  r = Run({"/dec", "/i", "folder", "/alg", "AES-256"});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_TRUE(Contains(r.out, "[ERROR] Failed to decrypt file '" + (dir_ / "bin/folder") +
                                  "'. File not found.\r\n"))
      << r.out;
}

TEST_F(PathsFlow, HeaderShowsResolvedPathsAndTheGeneratedOutput) {
  qmtest::WriteFile(dir_ / "top.txt", "x");
  auto r = Run({"/enc", "/i", "../top.txt", "/alg", "aes-256"});
  const std::string top = dir_ / "top.txt";
  EXPECT_TRUE(Contains(r.out, "Generated output file: '" + top + ".enc'.\r\n" +
                                  "File encryption.\n"
                                  "Input file:        " + top + "\n"
                                  "Output file:       " + top + ".enc\n"
                                  "Algorithm:         AES-256\n"
                                  "\n"
                                  "\rProgress:              \rProgress:   0.000%"))
      << r.out;

  r = Run({"/dec", "/i", "in.txt", "/o", "sub/./out.dec", "/alg", "Blowfish-448"});
  EXPECT_FALSE(Contains(r.out, "Generated output file"));
  EXPECT_TRUE(Contains(r.out, "File decryption.\n"
                              "Input file:        " + in_ + "\n"
                              "Output file:       " + (dir_ / "bin/sub/out.dec") + "\n"
                              "Algorithm:         Blowfish-448\n"))
      << r.out;
}

TEST_F(PathsFlow, ExistingOutputIsRefusedWithout6OrDeletedUnderRewrite) {
  const std::string out = dir_ / "bin/out.enc";
  qmtest::WriteFile(out, "old");
  auto r = Run({"/enc", "/i", "in.txt", "/o", "out.enc", "/alg", "AES-256"});
  EXPECT_EQ(r.exitCode, 6);
  EXPECT_TRUE(Contains(r.out, "[ERROR] Failed to encrypt file. Output file (" + out +
                                  ") already exists.\r\n"))
      << r.out;
  EXPECT_FALSE(Contains(r.out, "File encryption."));
  EXPECT_EQ(qmtest::ReadFile(out), "old");

  r = Run({"/enc", "/i", "in.txt", "/o", "out.enc", "/alg", "AES-256", "/rewrite"});
  EXPECT_TRUE(Contains(r.out, "Already existing file has been deleted. File path: " + out +
                                  ".\r\nFile encryption.\n"))
      << r.out;
  EXPECT_NE(qmtest::ReadFile(out), "old");
  EXPECT_EQ(qmtest::ReadFile(in_), "plain text");
}

TEST_F(PathsFlow, FailedDeletionIsReportedAndEndsWith6) {
  const std::string fifo = dir_ / "bin/out.fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const auto r = Run({"/dec", "/i", "in.txt", "/o", fifo, "/alg", "AES-256", "/rewrite"});
  EXPECT_EQ(r.exitCode, 6);
  EXPECT_TRUE(Contains(r.out, "[ERROR] Failed to delete file. File path: " + fifo + ". Error: "))
      << r.out;
  EXPECT_TRUE(Contains(r.out, "[ERROR] Failed to decrypt file. Output file (" + fifo +
                                  ") already exists.\r\n"))
      << r.out;
  EXPECT_TRUE(qmtest::FileExists(fifo));
}

TEST_F(PathsFlow, ConfirmDeletesOnlyAfterYes) {
  struct Case {
    std::string answer;
    bool deleted;
  };
  const std::vector<Case> cases = {
      {"y\n", true},  {"YES\n", true}, {"\n\n  Yes\n", true}, {"n\n", false},
      {"", false},    {"yess\n", false}, {"ye\n", false},
  };
  const std::string out = dir_ / "bin/out.enc";
  for (const auto& c : cases) {
    qmtest::WriteFile(out, "old");
    const auto r = Run({"/enc", "/i", "in.txt", "/o", out, "/alg", "AES-256", "/rewrite", "/confirm"},
                       c.answer);
    EXPECT_TRUE(Contains(r.out, "Rewrite file 'out.enc' [Y(yes)/N(no)]?")) << r.out;
    EXPECT_EQ(Contains(r.out, "Already existing file has been deleted."), c.deleted) << c.answer;
    if (c.deleted) {
      EXPECT_NE(qmtest::ReadFile(out), "old") << c.answer;
    } else {
      EXPECT_EQ(r.exitCode, 6) << c.answer;
      EXPECT_EQ(qmtest::ReadFile(out), "old") << c.answer;
    }
  }
  // Nothing to rewrite: no question at all.
  fs::remove(out);
  const auto r = Run({"/enc", "/i", "in.txt", "/o", out, "/alg", "AES-256", "/rewrite", "/confirm"});
  EXPECT_FALSE(Contains(r.out, "Rewrite file"));
  EXPECT_TRUE(Contains(r.out, "File encryption.\n"));
}

TEST_F(PathsFlow, TheInputIsNeverDeletedAsTheOutput) {
  fs::create_hard_link(in_, dir_ / "bin/hard.txt");
  fs::create_symlink(in_, dir_ / "bin/soft.txt");
  qmtest::WriteFile(dir_ / "bin/IN.TXT", "other file, same name in other letters");
  for (const std::string out : {"in.txt", "../bin/./in.txt", "hard.txt", "soft.txt", "IN.TXT"}) {
    const auto r = Run({"/enc", "/i", "in.txt", "/o", out, "/alg", "AES-256", "/rewrite"});
    EXPECT_EQ(r.exitCode, 6) << out;
    EXPECT_TRUE(Contains(r.out, ") already exists.\r\n")) << out;
    EXPECT_FALSE(Contains(r.out, "deleted")) << out;
    EXPECT_TRUE(qmtest::FileExists(dir_ / ("bin/" + out))) << out;
  }
  EXPECT_EQ(qmtest::ReadFile(in_), "plain text");
}

// Ctrl+C while the question waits counts as no answer. Standard input
// stays open, so only the interrupt can end the wait.
TEST_F(PathsFlow, InterruptDuringTheQuestionDeletesNothing) {
  const std::string out = dir_ / "bin/out.enc";
  qmtest::WriteFile(out, "old");
  int in[2], output[2];
  ASSERT_TRUE(pipe(in) == 0 && pipe(output) == 0);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(in[0], 0);
    dup2(output[1], 1);
    execl(program_.c_str(), program_.c_str(), "/enc", "/i", "in.txt", "/o", "out.enc", "/alg",
          "AES-256", "/rewrite", "/confirm", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(output[1]);
  std::string text;
  char buffer[4096];
  ssize_t n;
  while (!Contains(text, "N(no)]?") && (n = read(output[0], buffer, sizeof buffer)) > 0) {
    text.append(buffer, static_cast<size_t>(n));
  }
  kill(pid, SIGINT);
  int status = 0;
  bool ended = false;
  for (int i = 0; i < 2000 && !ended; ++i) {
    ended = waitpid(pid, &status, WNOHANG) == pid;
    if (!ended) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (!ended) kill(pid, SIGKILL), waitpid(pid, &status, 0);
  close(in[0]), close(in[1]), close(output[0]);
  EXPECT_TRUE(ended) << "the question kept waiting after Ctrl+C: " << text;
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 6) << text;
  EXPECT_EQ(qmtest::ReadFile(out), "old");
}

}  // namespace
