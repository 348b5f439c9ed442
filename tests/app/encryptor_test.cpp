// The job runner's own checks and lines, out of the main flow's reach: in
// process, so the runner's state can be set up exactly. Whole jobs are left
// to the end-to-end suite.
#include "app/encryptor.h"

#include <sys/stat.h>

#include <new>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "app/entry.h"
#include "foundation/sync/locks.h"
#include "tests/support/run_program.h"

namespace {

using tarnwick::gen::Result2;
using tarnwick::sync::Locked;
using thisapp::SEncryptData;

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

class JobRunner : public ::testing::Test {
 protected:
  void SetUp() override { qmtest::WriteFile(in_, "plain text"); }

  // An AES-256 job from `input` (in.txt by default) to `output`.
  SEncryptData Job(const std::string& output, bool encrypt = true, std::string input = {}) const {
    SEncryptData job;
    job.libraryType = 1;
    job.algorithmId = 252;
    job.encrypt = encrypt;
    job.inputFile = Wide(input.empty() ? in_ : input);
    job.outputFile = Wide(output);
    job.password = L"pw";
    return job;
  }

  // Hands the job over as the main flow does and runs it on the worker of
  // runner_; answers the stored result, keeps the lines shown in lines_.
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
  runner_.OnProgress(10, 42.5f, nullptr);
  runner_.OnFinish(false, nullptr, nullptr);
  EXPECT_EQ(runner_.progress.Get(), 42.5f);
  EXPECT_FALSE(runner_.canceled.Get());
}

// What the main flow's checks cannot see: an input gone since, an output
// not there yet whose name is the input's (in other letters, after a ".."
// step), and an output that appeared since, refused unless /rewrite
// deletes it; one that cannot be deleted is never appended to.
TEST_F(JobRunner, InputAndOutputAreCheckedAgain) {
  const std::string out = dir_ / "out.enc", fifo = dir_ / "fifo";
  qmtest::WriteFile(out, "old bytes");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (bool encrypt : {true, false}) {
    EXPECT_EQ(RunOnWorker(Job(out, encrypt, dir_ / "none")), (Result2{5, 201, 0, 0}));
    EXPECT_EQ(lines_, "[ERROR] Input file not found.\n");
    EXPECT_EQ(RunOnWorker(Job(dir_ / "no/../IN.TXT", encrypt)), (Result2{5, 206, 0, 0}));
    EXPECT_EQ(lines_, "[ERROR] Output file name matches the name of the input file.\n");
    EXPECT_EQ(RunOnWorker(Job(out, encrypt)), (Result2{5, 207, 0, 0}));
    EXPECT_EQ(lines_, "[ERROR] Output file already exists!\n");
    SEncryptData job = Job(fifo, encrypt);
    job.rewrite = 1;
    EXPECT_EQ(RunOnWorker(job), (Result2{5, 207, 0, 0}));
    EXPECT_EQ(lines_, std::string(encrypt ? "[ERROR] Failed to delete file. File path: "
                                          : "[ERROR] Failed to delete the file. File path: ") +
                          fifo + ". Error: Operation not permitted (error: 1/1).\r\n");
  }
  EXPECT_EQ(qmtest::ReadFile(out), "old bytes");

  SEncryptData job = Job(out);
  job.rewrite = 1;
  EXPECT_EQ(RunOnWorker(job), Result2{});
  EXPECT_EQ(lines_, "Already existing file has been deleted. File path: " + out + ".\r\n");
  EXPECT_EQ(qmtest::ReadFile(out).size(), 80u);  // header and one block: nothing old kept
}

// The main flow asks before it deletes under /confirm, and the worker asks
// nobody: an output that appears after the question is refused, never
// deleted. /rewrite alone still lets the worker delete it.
TEST_F(JobRunner, TheRecordMadeUnderConfirmDeletesNothing) {
  const std::string out = dir_ / "out.enc";
  SCommandLine commandLine;
  commandLine.command = SCommandLine::kEncrypt;
  commandLine.rewrite = 1;
  for (const bool confirm : {true, false}) {
    commandLine.confirm = confirm;
    SEncryptData job = thisapp::MakeJobRecord(commandLine);
    const SEncryptData paths = Job(out);
    job.libraryType = paths.libraryType, job.algorithmId = paths.algorithmId;
    job.inputFile = paths.inputFile, job.outputFile = paths.outputFile;
    qmtest::WriteFile(out, "appeared meanwhile");
    if (confirm) {
      EXPECT_EQ(RunOnWorker(job), (Result2{5, 207, 0, 0}));
      EXPECT_EQ(lines_, "[ERROR] Output file already exists!\n");
      EXPECT_EQ(qmtest::ReadFile(out), "appeared meanwhile");
    } else {
      EXPECT_EQ(RunOnWorker(job), Result2{});
      EXPECT_EQ(lines_, "Already existing file has been deleted. File path: " + out + ".\r\n");
    }
  }
}

TEST_F(JobRunner, WhatEscapesAJobIsToldAndStoredAsItsResult) {
  const struct {
    void (*raise)();
    std::string line;
    Result2 answer;
  } cases[] = {
      {[] { throw std::bad_alloc(); },
       "[ERROR] Not enough memory to run the job.\n",
       {1, ENOMEM, 0, 0}},
      {[] { throw std::logic_error("odd"); },
       "[ERROR] The job failed unexpectedly: odd\n",
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
  // Through a run: the failure stands as the job's result.
  SEncryptData job = Job(dir_ / "out.enc");
  job.password = std::wstring(1, static_cast<wchar_t>(0x110000));  // no UTF-8 form
  EXPECT_EQ(RunOnWorker(job), (Result2{1, EILSEQ, 0, 0}));
  EXPECT_EQ(lines_, "[ERROR] The password cannot be converted to UTF-8.\n");
}

}  // namespace
