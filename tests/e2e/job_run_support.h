#pragma once

// Running whole jobs through the real program and checking what it shows.
#include <sys/stat.h>
#include <unistd.h>

#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/run_program.h"

namespace qmjob {

// What every run shows first.
inline const std::string kBanner =
    "Quellmark Version 2.0.3.125\nCopyright (c) 2009-2014 Vellumor. All rights reserved.\n"
    "Home page: https://vellumor.example.com\n\n";

inline std::string Progress(const std::string& shown) {
  return "\rProgress:              \rProgress: " + shown + "%";
}

inline std::string SuccessEnd(bool encrypt, const std::string& name) {
  return Progress("100.000") + "\nFile '" + name +
         (encrypt ? "' was encrypted successfully.\r\n\n" : "' was decrypted successfully.\r\n\n");
}

inline std::string FailureEnd(bool encrypt, const std::string& in, const std::string& text) {
  return std::string(encrypt ? "\n[ERROR] Failed to encrypt file '"
                             : "\n[ERROR] Failed to decrypt file '") +
         in + "'. " + text + "\r\n\n";
}

// `out` is `start`, any number of progress lines, then `end`; with
// `belowHundred` (a cancelled run), none of them shows 100.
inline ::testing::AssertionResult ShowsJob(const std::string& out, const std::string& start,
                                           const std::string& end, bool belowHundred = false) {
  static const std::regex anyValue(
      "(\rProgress:              \rProgress: [ 0-9]{3}\\.[0-9]{3}%)*");
  static const std::regex below100(
      "(\rProgress:              \rProgress: ( [1-9]|  )[0-9]\\.[0-9]{3}%)*");
  if (out.size() < start.size() + end.size() || out.compare(0, start.size(), start) != 0 ||
      out.compare(out.size() - end.size(), end.size(), end) != 0 ||
      !std::regex_match(out.substr(start.size(), out.size() - start.size() - end.size()),
                        belowHundred ? below100 : anyValue)) {
    return ::testing::AssertionFailure() << "not the job's lines:\n" << out;
  }
  return ::testing::AssertionSuccess();
}

// The real program with the given arguments; anything on standard error
// (sanitizer reports land there) fails the test. The tests run as root,
// who may read and write anywhere: cases of refused access run the
// program as nobody.
inline qmtest::RunResult Quellmark(std::vector<std::string> args, qmtest::RunOptions options = {},
                                   bool asNobody = false) {
  args.insert(args.begin(), options.program);
  if (asNobody) {
    options.program = "/usr/bin/setpriv";
    args.insert(args.begin(),
                {options.program, "--reuid=nobody", "--regid=nogroup", "--clear-groups"});
  }
  qmtest::RunResult result = qmtest::Run(args, options);
  EXPECT_EQ(result.err, "");
  return result;
}

// One job on the command line.
struct Job {
  bool encrypt;
  std::string in, out, algorithm = "AES-256", password = "pw";
  bool asNobody = false;
  std::vector<std::string> more = {};  // further arguments

  qmtest::RunResult Run(const qmtest::RunOptions& options = {}) const {
    std::vector<std::string> args = {
        encrypt ? "/enc" : "/dec", "/i", in, "/o", out, "/alg", algorithm, "/psw", password};
    args.insert(args.end(), more.begin(), more.end());
    return Quellmark(args, options, asNobody);
  }
  // What is shown from the banner to the progress line at 0.
  std::string Header() const {
    return kBanner + (encrypt ? "File encryption.\n" : "File decryption.\n") +
           "Input file:        " + in + "\nOutput file:       " + out +
           "\nAlgorithm:         " + algorithm + "\n\n" + Progress("  0.000");
  }
};

inline long long FileSize(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}

// Reads as zeros, costs no disk.
inline void MakeSparseFile(const std::string& path, long long size) {
  qmtest::WriteFile(path, "");
  ASSERT_EQ(truncate(path.c_str(), size), 0);
}

// Bytes that differ from block to block and never repeat a short period.
inline std::string Pattern(size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  uint32_t x = seed * 2654435761u + 1;
  for (char& c : bytes) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    c = static_cast<char>(x >> 24);
  }
  return bytes;
}

}  // namespace qmjob
