// The main flow's hand-over of a job to the one job runner, in process so
// the runner's state can be set up exactly.
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/encryptor.h"
#include "app/entry.h"
#include "foundation/sync/locks.h"
#include "tests/support/capture.h"
#include "tests/support/run_program.h"

namespace {

namespace fs = std::filesystem;

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

thisapp::SEncryptData Aes256() {
  thisapp::SEncryptData job;
  job.libraryType = 1;
  job.algorithmId = 252;
  return job;
}

class JobHandover : public ::testing::Test {
 protected:
  void SetUp() override { qmtest::WriteFile(in_, "plain text"); }

  // Runs the flow from the paths on for an AES-256 encryption of in.txt;
  // answers the exit code and keeps what it showed.
  int RunFlow() {
    SCommandLine commandLine;
    ResetCommandLine(commandLine);
    commandLine.command = SCommandLine::kEncrypt;
    commandLine.inputFile = Wide(in_);
    commandLine.outputFile = Wide(out_);
    thisapp::SEncryptData job = Aes256();
    int code = -1;
    shown_ = qmtest::CoutOf([&] { code = thisapp::RunJobFlow(commandLine, job); });
    return code;
  }

  qmtest::TempDir dir_;
  const std::string in_ = dir_ / "in.txt", out_ = dir_ / "out.enc";
  std::string shown_;
};

TEST_F(JobHandover, ACancelBeforeTheJobStartsIsForgotten) {
  g_encryptor.Stop();  // Ctrl+C while the header was printed
  EXPECT_EQ(RunFlow(), 0);
  EXPECT_TRUE(EndsWith(shown_, "\rProgress: 100.000%\nFile 'in.txt' was encrypted successfully.\r\n\n"))
      << shown_;
  EXPECT_EQ(fs::file_size(out_), 80u);
}

TEST_F(JobHandover, ABusyWorkerFailsTheJobAtOnce) {
  // A long job of its own, started past the flow: DES_EDE3, among the
  // slowest, over a sparse 64 MiB file.
  const std::string big = dir_ / "big.bin", bigOut = dir_ / "big.enc";
  qmtest::WriteFile(big, "");
  fs::resize_file(big, 64u << 20);
  thisapp::SEncryptData longJob = Aes256();
  longJob.algorithmId = 601;
  longJob.inputFile = Wide(big);
  longJob.outputFile = Wide(bigOut);
  tarnwick::sync::Locked(g_encryptor.encryptData,
                         [&](thisapp::SEncryptData& stored) { stored = longJob; });
  ASSERT_EQ(g_encryptor.thread.Start().code, 0u);

  const int code = RunFlow();
  const bool wasRunning = g_encryptor.thread.IsRunning();
  // Let the long job begin writing, so the stop reaches its engine.
  for (int i = 0; i < 500 && !(fs::exists(bigOut) && fs::file_size(bigOut) > 0); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  g_encryptor.Stop();
  ASSERT_TRUE(wasRunning) << "the long job ended too early";
  EXPECT_EQ(code, 7);
  EXPECT_TRUE(EndsWith(shown_, "\rProgress:   0.000%[ERROR] Failed to encrypt file '" + in_ +
                                   "'. (error: 5/8)\r\n"))
      << shown_;
  EXPECT_FALSE(fs::exists(out_));
}

}  // namespace
