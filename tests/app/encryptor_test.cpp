// The runner's own checks and lines, which the main flow's checks keep the
// program from reaching; whole jobs are left to the end-to-end suite.
#include "app/encryptor.h"

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "foundation/sync/locks.h"
#include "tests/support/capture.h"
#include "tests/support/run_program.h"

namespace {

using tarnwick::gen::Result2;
using tarnwick::sync::Locked;
using thisapp::SEncryptData;

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

class JobRunner : public ::testing::Test {
 protected:
  void SetUp() override { qmtest::WriteFile(in_, "plain text"); }

  // An AES-256 job from in.txt to `output`.
  SEncryptData Job(const std::string& output, bool encrypt = true) const {
    SEncryptData job;
    job.libraryType = 1;
    job.algorithmId = 252;
    job.encrypt = encrypt;
    job.inputFile = Wide(in_);
    job.outputFile = Wide(output);
    job.password = L"pw";
    return job;
  }

  // Hands the job over as the main flow does and runs it on the worker;
  // answers the stored result, keeps the lines shown in lines_.
  Result2 RunOnWorker(const SEncryptData& job) {
    lines_ = qmtest::CoutOf([&] {
      Locked(runner_.encryptData, [&](SEncryptData& stored) { stored = job; });
      EXPECT_EQ(runner_.thread.Start().code, 0u);
      EXPECT_EQ(runner_.thread.Wait(), 0u);
    });
    return Locked(runner_.result, [](const Result2& stored) { return stored; });
  }

  qmtest::TempDir dir_;
  const std::string in_ = dir_ / "in.txt";
  CEncryptor runner_;
  std::string lines_;
};

// What the main thread polls: the last percentage, and at the end the
// engine's own stopped flag, whatever a stop that came too early set.
TEST_F(JobRunner, KeepsProgressAndTheEnginesStoppedFlag) {
  runner_.Stop();  // must not wait: nothing was ever started
  EXPECT_TRUE(runner_.canceled.Get());
  EXPECT_EQ(runner_.thread.Wait(0), 2u);
  runner_.OnProgress(10, 42.5f, nullptr);
  runner_.OnFinish(false, nullptr, nullptr);
  EXPECT_EQ(runner_.progress.Get(), 42.5f);
  EXPECT_FALSE(runner_.canceled.Get());
}

TEST_F(JobRunner, RefusedJobsTouchNothing) {
  const std::string out = dir_ / "out.enc";
  std::filesystem::create_hard_link(in_, dir_ / "link.txt");
  qmtest::WriteFile(in_ + ".old", "old");
  const std::string notLoaded = "[ERROR] Cryptographic engine is not loaded.\n";
  const std::string notFound = "[ERROR] Input file not found.\n";
  const std::string sameName = "[ERROR] Output file name matches the name of the input file.\n";
  const struct {
    std::function<void(SEncryptData&)> change;
    std::string lines;
    uint32_t code;
  } cases[] = {
      {[](SEncryptData& j) { j.algorithmId = 253; },
       "[ERROR] Failed to load cryptographic engine. Error: 5/70.\n" + notLoaded, 4006},
      {[](SEncryptData& j) { j.libraryType = 2; },
       "[ERROR] Undefined library type: 2.\n" + notLoaded, 4006},
      {[](SEncryptData& j) { j.inputFile.clear(); }, "[ERROR] Input file not defined.\n", 200},
      {[&](SEncryptData& j) { j.inputFile = Wide(dir_ / "none"); }, notFound, 201},
      {[](SEncryptData& j) { j.outputFile.clear(); }, "[ERROR] Output file not defined.\n", 202},
      {[&](SEncryptData& j) { j.outputFile = Wide(dir_ / "link.txt"); }, sameName, 206},
      {[&](SEncryptData& j) { j.outputFile = Wide(in_ + ".old"); },
       "[ERROR] Output file already exists!\n", 207},
  };
  for (const auto& c : cases) {
    for (bool encrypt : {true, false}) {
      SCOPED_TRACE(c.code);
      SEncryptData job = Job(out, encrypt);
      c.change(job);
      EXPECT_EQ(RunOnWorker(job), (Result2{5, c.code, 0, 0}));
      EXPECT_EQ(lines_, c.lines);
      EXPECT_FALSE(qmtest::FileExists(out));
    }
  }
  EXPECT_EQ(qmtest::ReadFile(in_), "plain text");
  EXPECT_EQ(qmtest::ReadFile(in_ + ".old"), "old");
}

// An output that appears after the main flow's checks: deleted under
// /rewrite, and never appended to when it cannot be deleted.
TEST_F(JobRunner, RewriteReplacesTheOutputOrRefusesWhenItCannotGo) {
  const std::string out = dir_ / "out.enc", fifo = dir_ / "fifo";
  qmtest::WriteFile(out, "old bytes");
  SEncryptData job = Job(out);
  job.rewrite = 1;
  EXPECT_EQ(RunOnWorker(job), Result2{});
  EXPECT_EQ(lines_, "Already existing file has been deleted. File path: " + out + ".\r\n");
  EXPECT_EQ(qmtest::ReadFile(out).size(), 80u);  // header and one block: nothing old kept

  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (bool encrypt : {true, false}) {
    job = Job(fifo, encrypt);
    job.rewrite = 1;
    EXPECT_EQ(RunOnWorker(job), (Result2{5, 207, 0, 0}));
    EXPECT_EQ(lines_, std::string(encrypt ? "[ERROR] Failed to delete file. File path: "
                                          : "[ERROR] Failed to delete the file. File path: ") +
                          fifo + ". Error: Operation not permitted (error: 1/1).\r\n");
  }
}

TEST_F(JobRunner, WhatEscapesAJobIsToldAndAnswered) {
  const struct {
    void (*raise)();
    std::string line;
    Result2 answer;
  } cases[] = {
      {[] { throw std::bad_alloc(); }, "[ERROR] Not enough memory to run the job.\n",
       {1, ENOMEM, 0, 0}},
      {[] { throw std::logic_error("odd"); }, "[ERROR] The job failed unexpectedly: odd\n",
       {5, 304, 0, 0}},
      {[] { throw 42; }, "[ERROR] The job failed unexpectedly.\n", {5, 304, 0, 0}},
  };
  for (const auto& c : cases) {
    Result2 answer;
    const std::string line = qmtest::CoutOf([&] {
      try {
        c.raise();
      } catch (...) {
        answer = CEncryptor::ReportEscapedFailure();
      }
    });
    EXPECT_EQ(line, c.line);
    EXPECT_EQ(answer, c.answer);
  }
}

TEST_F(JobRunner, AFailureEscapingTheJobIsStoredAsItsResult) {
  // The previous job's success must not stand for this one.
  EXPECT_EQ(RunOnWorker(Job(dir_ / "first.enc")), Result2{});
  SEncryptData job = Job(dir_ / "second.enc");
  job.password = std::wstring(1, static_cast<wchar_t>(0x110000));  // no UTF-8 form
  EXPECT_EQ(RunOnWorker(job), (Result2{1, EILSEQ, 0, 0}));
  EXPECT_EQ(lines_, "[ERROR] The password cannot be converted to UTF-8.\n");
  EXPECT_EQ(RunOnWorker(Job(dir_ / "third.enc")), Result2{});  // the worker is free again
}

}  // namespace
