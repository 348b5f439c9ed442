// The job's console lines; the success and failure lines are checked
// word for word by the end-to-end suite.
#include "app/console_output.h"

#include <cmath>
#include <locale>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "cryptopp/alg_info.h"
#include "tests/support/capture.h"

namespace thisapp {
namespace {

const std::string kBlank = "\rProgress:              ";

TEST(JobOutput, ProgressBlanksTheLineThenShowsTheClampedValue) {
  const std::pair<double, std::string> cases[] = {
      {-5.0, "  0.000"}, {0.0, "  0.000"},         {42.5, " 42.500"},
      {250.0, "100.000"}, {99.9996, "100.000"},
      {std::nan(""), "  0.000"},  // a broken percentage must not print as "nan"
  };
  for (const auto& [percent, shown] : cases) {
    EXPECT_EQ(qmtest::CoutOf([&] { PrintProgress(percent); }), kBlank + "\rProgress: " + shown + "%")
        << percent;
  }
}

TEST(JobOutput, ProgressUsesTheDecimalMarkOfTheGlobalLocale) {
  std::locale german;
  try {
    german = std::locale("de_DE.UTF-8");
  } catch (const std::runtime_error&) {
    GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  }
  const std::locale previous = std::locale::global(german);
  const std::string shown = qmtest::CoutOf([] { PrintProgress(42.5); });
  std::locale::global(previous);
  EXPECT_EQ(shown, kBlank + "\rProgress:  42,500%");
}

TEST(JobOutput, HeaderPadsLabelsAndWritesPathBytesAsTheyAre) {
  const auto aes = tarnwick::cryptopp::FindAlgorithmByName(L"AES-256");
  // U+DCFF stands for the byte 0xFF of a file name that is no UTF-8.
  EXPECT_EQ(qmtest::CoutOf([&] {
              PrintJobHeader(false, aes, L"/in/\xDCFF-\u00E9.txt", L"/out/a b.txt.dec");
            }),
            "File decryption.\n"
            "Input file:        /in/\xFF-\xC3\xA9.txt\n"
            "Output file:       /out/a b.txt.dec\n"
            "Algorithm:         AES-256\n");
}

}  // namespace
}  // namespace thisapp
