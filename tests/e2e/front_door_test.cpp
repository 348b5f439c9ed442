#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/console_output.h"
#include "tests/e2e/job_run_support.h"

namespace {

struct Case {
  std::vector<std::string> args;
  int code;
  std::string body;  // what follows the banner
  std::vector<std::string> env = {};
};

// Made per test: the printers read constants of other sources.
class FrontDoor : public ::testing::Test {
 protected:
  const std::string kHelp = qmtest::CoutOf(thisapp::PrintHelp);
  const std::string kList = qmtest::CoutOf(thisapp::PrintAlgorithmList);

  void ExpectRuns(const std::vector<Case>& cases) const {
    for (const Case& c : cases) {
      qmtest::RunOptions options;
      options.env = c.env;
      SCOPED_TRACE(c.args.empty() ? "no arguments" : c.args[0] + " " + c.args.back());
      const qmtest::RunResult r = qmjob::Quellmark(c.args, options);
      EXPECT_EQ(r.exitCode, c.code);
      EXPECT_EQ(r.out, qmjob::kBanner + c.body);
    }
  }
};

TEST_F(FrontDoor, HelpAndList) {
  ExpectRuns({{{}, 1, kHelp},
              {{"/help"}, 0, kHelp},
              {{"stray", "/x", "-MAN"}, 0, kHelp},
              {{"/algs"}, 0, kList},
              {{"/algorithms", "/?"}, 0, kHelp + kList},  // help first
              {{"/ALGORITHMS", "/HELP"}, 0, kHelp + kList, {"LC_ALL=tr_TR.UTF-8"}},
              {{"/help"}, 0, kHelp, {"LC_ALL=xx_YY.UTF-8"}}});  // not installed: silent
}

TEST_F(FrontDoor, AlgorithmChecks) {
  const std::string undefined =
      "[ERROR] Algorithm name not defined. Please use \"/help\" to see help.\n";
  const std::string invalid = "[ERROR] Invalid algorithm name. Please use \"/help\" to see help.\n";
  ExpectRuns({{{"/encrypt", "/i", "x"}, 4, undefined},
              {{"/enc", "/alg", "", "/i", "x"}, 4, undefined},
              {{"/algs", "/dec"}, 4, kList + undefined},
              {{"/enc", "/alg", "nope", "/i", "x"}, 5, invalid},
              {{"/dec", "/a", "AES-256 "}, 5, invalid},
              {{"/ENC", "/ALGORITHM", "nope"}, 5, invalid, {"LC_ALL=tr_TR.UTF-8"}}});
}

// A job never runs on what it would pass over, or a mistyped password
// option would mean the empty password; the check comes after the help
// and the list, before the algorithm's. Without a job nothing changes.
TEST_F(FrontDoor, AJobRefusesArgumentsItWouldPassOver) {
  qmtest::TempDir dir;
  const std::string in = dir / "t.bin", out = dir / "t.enc";
  qmtest::WriteFile(in, "plans");
  const auto job = [&](std::vector<std::string> more) {
    std::vector<std::string> args = {"/enc", "/i", in, "/o", out, "/a", "AES-256"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
  };
  const auto unknown = [](const std::string& token) {
    return "[ERROR] Unknown argument: '" + token + "'.\r\n";
  };
  const std::string noValue = "[ERROR] No value for option '/psw'.\r\n";
  ExpectRuns({{job({"--password", "my secret"}), 1, unknown("--password") + unknown("my secret")},
              {job({"/pasword", "x"}), 1, unknown("/pasword") + unknown("x")},
              {job({"/psw"}), 1, noValue},
              {{"/algs", "/dec", "--x", "/psw", "/rewrite"}, 1, kList + unknown("--x") + noValue},
              {{"/help", "--x", "/psw"}, 0, kHelp}});
  EXPECT_FALSE(qmtest::FileExists(out));

  // An explicitly empty password is the empty password, as none at all.
  ASSERT_EQ(qmjob::Quellmark(job({"/psw", ""})).exitCode, 0);
  const std::string given = qmtest::ReadFile(out);
  std::remove(out.c_str());
  ASSERT_EQ(qmjob::Quellmark(job({})).exitCode, 0);
  EXPECT_TRUE(qmtest::ReadFile(out) == given);
}

// The failure line is wide and shows the name's bytes as they were typed.
TEST_F(FrontDoor, LocaleOption) {
  const auto failed = [](const std::string& name) {
    return "[ERROR] Failed to set locale: '" + name + "'.\r\n";
  };
  ExpectRuns({{{"/locale", "nosuch", "/help"}, 0, failed("nosuch") + kHelp},
              {{"/locale", "\xFF\xC3", "/help"}, 0, failed("\xFF\xC3") + kHelp},
              {{"/locale", "TUR", "/algs"}, 0, kList},
              {{"/locale", "de_DE.UTF-8", "/algs"}, 0, kList}});
}

}  // namespace
