#include "app/job_output.h"

#include <cmath>
#include <iostream>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cryptopp/alg_info.h"

namespace thisapp {
namespace {

// Everything the body writes to std::cout (wide texts included).
template <typename Body>
std::string Captured(Body body) {
  std::ostringstream sink;
  std::streambuf* previous = std::cout.rdbuf(sink.rdbuf());
  body();
  std::cout.rdbuf(previous);
  return sink.str();
}

SEncryptData Job(bool encrypt, const std::wstring& input) {
  SEncryptData job;
  job.encrypt = encrypt ? 1 : 0;
  job.inputFile = input;
  job.outputFile = input + L".out";
  return job;
}

TEST(JobOutput, ProgressBlanksTheLineThenShowsTheClampedValue) {
  const std::string blank = "\rProgress:              ";
  const std::vector<std::pair<double, std::string>> cases = {
      {-5.0, "  0.000"}, {0.0, "  0.000"}, {42.5, " 42.500"}, {250.0, "100.000"},
      {99.9996, "100.000"},
  };
  for (const auto& [percent, shown] : cases) {
    EXPECT_EQ(Captured([&] { PrintProgress(percent); }), blank + "\rProgress: " + shown + "%")
        << percent;
  }
  // A broken percentage must not print as "nan".
  EXPECT_EQ(Captured([] { PrintProgress(std::nan("")); }), blank + "\rProgress:   0.000%");
}

TEST(JobOutput, ProgressUsesTheDecimalMarkOfTheGlobalLocale) {
  std::locale german;
  try {
    german = std::locale("de_DE.UTF-8");
  } catch (const std::runtime_error&) {
    GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  }
  const std::locale previous = std::locale::global(german);
  const std::string shown = Captured([] { PrintProgress(42.5); });
  std::locale::global(previous);
  EXPECT_EQ(shown, "\rProgress:              \rProgress:  42,500%");
}

TEST(JobOutput, HeaderPadsLabelsAndWritesPathBytesAsTheyAre) {
  const auto aes = tarnwick::cryptopp::FindAlgorithmByName(L"AES-256");
  ASSERT_NE(aes.algorithmId, 0u);
  // U+DCFF stands for the byte 0xFF of a file name that is no UTF-8.
  const std::string text = Captured(
      [&] { PrintJobHeader(false, aes, L"/in/\xDCFF-\u00E9.txt", L"/out/a b.txt.dec"); });
  EXPECT_EQ(text,
            "File decryption.\n"
            "Input file:        /in/\xFF-\xC3\xA9.txt\n"
            "Output file:       /out/a b.txt.dec\n"
            "Algorithm:         AES-256\n");
}

TEST(JobOutput, SuccessNamesTheInputFileOnly) {
  EXPECT_EQ(Captured([] { PrintJobSuccess(Job(true, L"/data/in.txt")); }),
            "File 'in.txt' was encrypted successfully.\r\n");
  EXPECT_EQ(Captured([] { PrintJobSuccess(Job(false, L"/data/in.txt.enc")); }),
            "File 'in.txt.enc' was decrypted successfully.\r\n");
}

TEST(JobOutput, FailureShowsTheFullInputPathAndTheErrorText) {
  const tarnwick::gen::Result2 busy{5, 8, 0, 0};
  EXPECT_EQ(Captured([&] { PrintJobFailure(Job(true, L"/data/in.txt"), busy); }),
            "[ERROR] Failed to encrypt file '/data/in.txt'. (error: 5/8)\r\n");
  const tarnwick::gen::Result2 missing{1, 2, 0, 0};  // ENOENT
  const std::string text =
      Captured([&] { PrintJobFailure(Job(false, L"/data/in.txt"), missing); });
  EXPECT_EQ(text.rfind("[ERROR] Failed to decrypt file '/data/in.txt'. ", 0), 0u) << text;
  EXPECT_NE(text.find("No such file or directory (error: 1/2)\r\n"), std::string::npos) << text;
}

}  // namespace
}  // namespace thisapp
