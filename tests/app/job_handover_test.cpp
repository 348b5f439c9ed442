// The main flow's hand-over of a job to the one job runner, in process so
// the runner's state can be set up exactly.
#include <chrono>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/encryptor.h"
#include "app/job_flow.h"
#include "tests/support/run_program.h"

namespace {

namespace fs = std::filesystem;

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

class JobHandover : public ::testing::Test {
 protected:
  void SetUp() override { qmtest::WriteFile(dir_ / "in.txt", "plain text"); }

  // Runs the flow from the paths on for an AES-256 encryption; answers the
  // exit code and keeps what it printed.
  int RunFlow(const std::string& in, const std::string& out) {
    SCommandLine commandLine;
    ResetCommandLine(commandLine);
    commandLine.command = SCommandLine::kEncrypt;
    commandLine.inputFile = Wide(in);
    commandLine.outputFile = Wide(out);
    thisapp::SEncryptData job;
    job.libraryType = 1;
    job.algorithmId = 252;
    std::ostringstream sink;
    std::streambuf* previous = std::cout.rdbuf(sink.rdbuf());
    const int code = thisapp::RunJobFlow(commandLine, job);
    std::cout.rdbuf(previous);
    shown_ = sink.str();
    return code;
  }

  bool ShownEndsWith(const std::string& end) const {
    return shown_.size() >= end.size() &&
           shown_.compare(shown_.size() - end.size(), end.size(), end) == 0;
  }

  qmtest::TempDir dir_;
  std::string shown_;
};

TEST_F(JobHandover, ACancelBeforeTheJobStartsIsForgotten) {
  g_encryptor.Stop();  // Ctrl+C while the header was printed
  EXPECT_EQ(RunFlow(dir_ / "in.txt", dir_ / "out.enc"), 0);
  EXPECT_TRUE(ShownEndsWith("\rProgress: 100.000%\nFile 'in.txt' was encrypted successfully.\r\n\n"))
      << shown_;
  EXPECT_EQ(fs::file_size(dir_ / "out.enc"), 80u);
}

TEST_F(JobHandover, ABusyWorkerFailsTheJobAtOnce) {
  // A long job of its own, started past the flow.
  const std::string big = dir_ / "big.bin";
  qmtest::WriteFile(big, "");
  fs::resize_file(big, 64u << 20);
  thisapp::SEncryptData longJob;
  longJob.libraryType = 1;
  longJob.algorithmId = 601;  // DES_EDE3, among the slowest
  longJob.inputFile = Wide(big);
  longJob.outputFile = Wide(dir_ / "big.enc");
  g_encryptor.encryptData.Lock();
  g_encryptor.encryptData.value = longJob;
  g_encryptor.encryptData.Unlock();
  ASSERT_EQ(g_encryptor.thread.Start().code, 0u);

  const int code = RunFlow(dir_ / "in.txt", dir_ / "out.enc");
  const bool wasRunning = g_encryptor.thread.IsRunning();
  // Let the long job begin writing, so the stop reaches its engine.
  auto writing = [&] {
    std::error_code ec;
    return fs::file_size(dir_ / "big.enc", ec) > 0 && !ec;
  };
  for (int i = 0; i < 500 && !writing(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  g_encryptor.Stop();
  ASSERT_TRUE(wasRunning) << "the long job ended too early";
  EXPECT_EQ(code, 7);
  EXPECT_TRUE(ShownEndsWith("\rProgress:   0.000%[ERROR] Failed to encrypt file '" +
                            (dir_ / "in.txt") + "'. (error: 5/8)\r\n"))
      << shown_;
  EXPECT_FALSE(fs::exists(dir_ / "out.enc"));
}

}  // namespace
