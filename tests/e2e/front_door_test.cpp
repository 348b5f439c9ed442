#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/info_output.h"
#include "tests/support/run_program.h"

namespace {

std::string Captured(void (*printer)()) {
  std::ostringstream text;
  std::streambuf* const saved = std::cout.rdbuf(text.rdbuf());
  printer();
  std::cout.rdbuf(saved);
  return text.str();
}

const std::string& Banner() {
  static const std::string text = Captured(thisapp::PrintBanner);
  return text;
}
const std::string& Help() {
  static const std::string text = Captured(thisapp::PrintHelp);
  return text;
}
const std::string& List() {
  static const std::string text = Captured(thisapp::PrintAlgorithmList);
  return text;
}

qmtest::RunResult Quellmark(std::vector<std::string> args, std::vector<std::string> env = {}) {
  args.insert(args.begin(), QM_PROGRAM_PATH);
  qmtest::RunOptions options;
  options.env = std::move(env);
  options.timeoutSeconds = 30;
  return qmtest::Run(args, options);
}

// Runs the program with standard output on `fd` (-1: closed) and answers
// its wait status.
int RunWithStdout(int fd, const char* arg) {
  const pid_t pid = fork();
  if (pid == 0) {
    if (fd < 0) {
      close(1);
    } else {
      dup2(fd, 1);
    }
    signal(SIGPIPE, SIG_DFL);
    execl(QM_PROGRAM_PATH, QM_PROGRAM_PATH, arg, static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

TEST(FrontDoor, WithoutArgumentsPrintsBannerAndHelpAndFails) {
  const qmtest::RunResult r = Quellmark({});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, Banner() + Help());
  EXPECT_EQ(r.err, "");
}

TEST(FrontDoor, HelpAndListRequests) {
  const struct {
    std::vector<std::string> args;
    std::string body;
  } cases[] = {
      {{"/help"}, Help()},
      {{"-MAN"}, Help()},
      {{"/?"}, Help()},
      {{"/algs"}, List()},
      {{"-Algorithms"}, List()},
      {{"/algs", "/help"}, Help() + List()},  // help always first
      {{"stray", "/x", "/help"}, Help()},
  };
  for (const auto& c : cases) {
    const qmtest::RunResult r = Quellmark(c.args);
    EXPECT_EQ(r.exitCode, 0) << c.args[0];
    EXPECT_EQ(r.out, Banner() + c.body) << c.args[0];
  }
}

TEST(FrontDoor, AlgorithmChecksEndWithTheirCodes) {
  const std::string notDefined =
      "[ERROR] Algorithm name not defined. Please use \"/help\" to see help.\n";
  const std::string invalid = "[ERROR] Invalid algorithm name. Please use \"/help\" to see help.\n";
  const struct {
    std::vector<std::string> args;
    int code;
    std::string body;
  } cases[] = {
      {{"/encrypt", "/i", "x"}, 4, notDefined},
      {{"/dec"}, 4, notDefined},
      {{"/enc", "/alg", "", "/i", "x"}, 4, notDefined},
      {{"/algs", "/enc"}, 4, List() + notDefined},
      {{"/enc", "/alg", "nope", "/i", "x"}, 5, invalid},
      {{"/dec", "/a", "AES-256 "}, 5, invalid},
      {{"/enc", "/a", "AES256"}, 5, invalid},
  };
  for (const auto& c : cases) {
    const qmtest::RunResult r = Quellmark(c.args);
    EXPECT_EQ(r.exitCode, c.code) << c.args[0] << " " << c.args[1];
    EXPECT_EQ(r.out, Banner() + c.body) << c.args[0] << " " << c.args[1];
  }
}

TEST(FrontDoor, LocaleOption) {
  // The failure line is wide and keeps the name's bytes as typed.
  for (const std::string name : {"nosuch", "\xFF\xC3"}) {
    const qmtest::RunResult r = Quellmark({"/locale", name, "/help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, Banner() + "[ERROR] Failed to set locale: '" + name + "'.\r\n" + Help());
  }
  for (const char* name : {"deu", "TUR", "en_US.UTF-8"}) {
    const qmtest::RunResult r = Quellmark({"/locale", name, "/algs"});
    EXPECT_EQ(r.exitCode, 0) << name;
    EXPECT_EQ(r.out, Banner() + List()) << name;
  }
}

TEST(FrontDoor, UserLocaleFromTheEnvironment) {
  // One that is not installed is passed over silently.
  qmtest::RunResult r = Quellmark({"/help"}, {"LC_ALL=xx_YY.UTF-8"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, Banner() + Help());

  // Under Turkish, options and names with an I still match.
  r = Quellmark({"/ENC", "/ALGORITHM", "nope"}, {"LC_ALL=tr_TR.UTF-8"});
  EXPECT_EQ(r.exitCode, 5);
  r = Quellmark({"/ALGORITHMS", "/HELP"}, {"LC_ALL=tr_TR.UTF-8"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, Banner() + Help() + List());
}

TEST(FrontDoor, ClosedOutputEndsWithoutASignal) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  close(fds[0]);  // nobody will ever read
  int status = RunWithStdout(fds[1], "/algs");
  close(fds[1]);
  EXPECT_TRUE(WIFEXITED(status)) << "signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
  EXPECT_EQ(WEXITSTATUS(status), 0);

  status = RunWithStdout(-1, "/algs");
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
