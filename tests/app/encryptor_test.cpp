#include "app/encryptor.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/run_program.h"

namespace {

namespace fs = std::filesystem;
using tarnwick::gen::Result2;
using thisapp::SEncryptData;

constexpr uint32_t kAes256 = 252;

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// Everything written to std::cout while the body runs (wide texts too).
template <typename Body>
std::string Captured(Body body) {
  std::ostringstream sink;
  std::streambuf* previous = std::cout.rdbuf(sink.rdbuf());
  body();
  std::cout.rdbuf(previous);
  return sink.str();
}

class JobRunner : public ::testing::Test {
 protected:
  void SetUp() override { qmtest::WriteFile(in_, "plain text"); }

  SEncryptData Job(const std::string& output, bool encrypt = true) const {
    SEncryptData job;
    job.libraryType = 1;
    job.algorithmId = kAes256;
    job.encrypt = encrypt ? 1 : 0;
    job.inputFile = Wide(in_);
    job.outputFile = Wide(output);
    job.password = L"pw";
    return job;
  }

  // Runs the job as the main flow hands it over: stored, then started on
  // the worker; answers the stored result.
  Result2 RunOnWorker(const SEncryptData& job, std::string* lines = nullptr) {
    const std::string text = Captured([&] {
      runner_.encryptData.Lock();
      runner_.encryptData.value = job;
      runner_.encryptData.Unlock();
      EXPECT_EQ(runner_.thread.Start().code, 0u);
      EXPECT_EQ(runner_.thread.Wait(), 0u);
    });
    if (lines) *lines = text;
    runner_.result.Lock();
    const Result2 stored = runner_.result.value;
    runner_.result.Unlock();
    return stored;
  }

  qmtest::TempDir dir_;
  const std::string in_ = dir_ / "in.txt";
  CEncryptor runner_;
};

TEST_F(JobRunner, StopWithoutAJobOnlySetsTheCancelFlag) {
  EXPECT_FALSE(runner_.canceled.Get());
  runner_.Stop();  // must not wait: nothing was ever started
  EXPECT_TRUE(runner_.canceled.Get());
  EXPECT_EQ(runner_.thread.Wait(0), 2u);
}

TEST_F(JobRunner, CallbacksStoreProgressAndTheStoppedFlag) {
  EXPECT_EQ(runner_.progress.Get(), 0.0f);
  runner_.OnStart(nullptr);
  runner_.OnProgress(123, 42.5f, nullptr);
  EXPECT_EQ(runner_.progress.Get(), 42.5f);
  runner_.OnProgress(0, 7.25f, nullptr);  // stored as it comes, also downwards
  EXPECT_EQ(runner_.progress.Get(), 7.25f);

  const Result2 failure{5, 4003, 0, 0};
  runner_.OnFinish(true, &failure, nullptr);
  EXPECT_TRUE(runner_.canceled.Get());
  runner_.OnFinish(false, nullptr, nullptr);
  EXPECT_FALSE(runner_.canceled.Get());
}

TEST_F(JobRunner, LoadersTellWhyNoJobObjectWasMade) {
  SEncryptData job = Job(dir_ / "out");
  std::string lines = Captured([&] {
    EXPECT_EQ(CEncryptor::LoadEncryptor(job)->GetAlgorithmId(), kAes256);
    EXPECT_EQ(CEncryptor::LoadDecryptor(job)->GetAlgorithmId(), kAes256);
  });
  EXPECT_EQ(lines, "");

  job.algorithmId = 7;
  lines = Captured([&] { EXPECT_EQ(CEncryptor::LoadDecryptor(job), nullptr); });
  EXPECT_EQ(lines, "[ERROR] Failed to load cryptographic engine. Error: 5/70.\n");

  job.libraryType = 2;
  lines = Captured([&] { EXPECT_EQ(CEncryptor::LoadEncryptor(job), nullptr); });
  EXPECT_EQ(lines, "[ERROR] Undefined library type: 2.\n");
}

TEST_F(JobRunner, RefusedJobsTouchNothing) {
  const std::string out = dir_ / "out.enc";
  fs::create_directory(dir_ / "folder");
  const std::string notDefined = "[ERROR] Input file not defined.\n";
  const std::string notFound = "[ERROR] Input file not found.\n";
  const std::string sameName = "[ERROR] Output file name matches the name of the input file.\n";
  fs::create_hard_link(in_, dir_ / "link.txt");
  struct Case {
    const char* what;
    SEncryptData job;
    std::string lines;
    Result2 answer;
  };
  std::vector<Case> cases;
  auto add = [&](const char* what, auto change, std::string lines, uint32_t code) {
    for (bool encrypt : {true, false}) {
      SEncryptData job = Job(out, encrypt);
      change(job);
      cases.push_back({what, job, lines, {5, code, 0, 0}});
    }
  };
  add("unknown algorithm", [](SEncryptData& j) { j.algorithmId = 253; },
      "[ERROR] Failed to load cryptographic engine. Error: 5/70.\n"
      "[ERROR] Cryptographic engine is not loaded.\n",
      4006);
  add("library type", [](SEncryptData& j) { j.libraryType = 0; },
      "[ERROR] Undefined library type: 0.\n[ERROR] Cryptographic engine is not loaded.\n", 4006);
  add("no input", [](SEncryptData& j) { j.inputFile.clear(); }, notDefined, 200);
  add("missing input", [&](SEncryptData& j) { j.inputFile = Wide(dir_ / "none"); }, notFound, 201);
  add("input folder", [&](SEncryptData& j) { j.inputFile = Wide(dir_ / "folder"); }, notFound,
      201);
  add("no output", [](SEncryptData& j) { j.outputFile.clear(); },
      "[ERROR] Output file not defined.\n", 202);
  add("same name", [&](SEncryptData& j) { j.outputFile = Wide(dir_ / "IN.TXT"); }, sameName, 206);
  add("hard link", [&](SEncryptData& j) { j.outputFile = Wide(dir_ / "link.txt"); }, sameName,
      206);
  add("existing output", [&](SEncryptData& j) { j.outputFile = j.inputFile + L".old"; },
      "[ERROR] Output file already exists!\n", 207);
  qmtest::WriteFile(in_ + ".old", "old");

  for (const Case& c : cases) {
    std::string lines;
    EXPECT_EQ(RunOnWorker(c.job, &lines), c.answer) << c.what;
    EXPECT_EQ(lines, c.lines) << c.what;
    EXPECT_FALSE(qmtest::FileExists(out)) << c.what;
  }
  EXPECT_EQ(qmtest::ReadFile(in_), "plain text");
  EXPECT_EQ(qmtest::ReadFile(in_ + ".old"), "old");
}

TEST_F(JobRunner, RewriteReplacesTheOutputOrRefusesWhenItCannotGo) {
  const std::string out = dir_ / "out.enc";
  qmtest::WriteFile(out, "old bytes");
  SEncryptData job = Job(out);
  job.rewrite = 1;
  std::string lines;
  EXPECT_EQ(RunOnWorker(job, &lines), Result2{});
  EXPECT_EQ(lines, "Already existing file has been deleted. File path: " + out + ".\r\n");
  const std::string written = qmtest::ReadFile(out);
  EXPECT_EQ(written.size(), 80u);  // header and one block: nothing old kept in front
  EXPECT_EQ(written.find("old bytes"), std::string::npos);

  // Something that cannot be removed must not be appended to.
  const std::string fifo = dir_ / "fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (bool encrypt : {true, false}) {
    SEncryptData refused = Job(fifo, encrypt);
    refused.rewrite = 1;
    EXPECT_EQ(RunOnWorker(refused, &lines), (Result2{5, 207, 0, 0}));
    EXPECT_EQ(lines, std::string(encrypt ? "[ERROR] Failed to delete file. File path: "
                                         : "[ERROR] Failed to delete the file. File path: ") +
                         fifo + ". Error: Operation not permitted (error: 1/1).\r\n");
  }
}

TEST_F(JobRunner, AFolderThatCannotBeMadeIsToldThenTheOpenFails) {
  std::string lines;
  // A file where a folder must go.
  qmtest::WriteFile(dir_ / "file", "");
  const std::string blocked = dir_ / "file/sub/out.enc";
  EXPECT_EQ(RunOnWorker(Job(blocked), &lines), (Result2{1, ENOTDIR, 0, 0}));
  EXPECT_EQ(lines,
            "[ERROR] Failed to create the directory for the output file. Directory path: " +
                dir_.path() + "/file/sub/. Error: Not a directory (error: 1/20).\r\n"
                "[ERROR] Failed to open output file. Error: Not a directory (error: 1/20).\r\n");
}

TEST_F(JobRunner, OpenFailuresAreToldAndAnswered) {
  const std::string fifo = dir_ / "fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  SEncryptData job = Job(dir_ / "out.enc");
  job.inputFile = Wide(fifo);  // exists, is no folder, but is no file to read either
  std::string lines;
  EXPECT_EQ(RunOnWorker(job, &lines), (Result2{1, EINVAL, 0, 0}));
  EXPECT_EQ(lines, "[ERROR] Failed to open input file. Error: Invalid argument (error: 1/22).\r\n");
  EXPECT_FALSE(qmtest::FileExists(dir_ / "out.enc"));
}

TEST_F(JobRunner, TheLastJobObjectOfEachDirectionIsKept) {
  const std::string enc = dir_ / "out.enc", dec = dir_ / "out.dec";
  EXPECT_EQ(RunOnWorker(Job(enc)), Result2{});
  EXPECT_FALSE(runner_.canceled.Get());
  SEncryptData back = Job(dec, false);
  back.inputFile = Wide(enc);
  EXPECT_EQ(RunOnWorker(back), Result2{});
  EXPECT_EQ(qmtest::ReadFile(dec), "plain text");

  runner_.encryptors.Lock();
  EXPECT_NE(runner_.encryptors.value.encryptor, nullptr);
  EXPECT_NE(runner_.encryptors.value.decryptor, nullptr);
  runner_.encryptors.Unlock();
}

TEST_F(JobRunner, AFailureEscapingTheJobIsStoredAsItsResult) {
  // The previous job's success must not stand for this one.
  EXPECT_EQ(RunOnWorker(Job(dir_ / "first.enc")), Result2{});
  SEncryptData job = Job(dir_ / "second.enc");
  job.password = std::wstring(1, static_cast<wchar_t>(0x110000));  // no UTF-8 form
  std::string lines;
  EXPECT_EQ(RunOnWorker(job, &lines), (Result2{1, EILSEQ, 0, 0}));
  EXPECT_EQ(lines, "[ERROR] The password cannot be converted to UTF-8.\n");
  // The worker is free for the next job.
  EXPECT_EQ(RunOnWorker(Job(dir_ / "third.enc")), Result2{});
}

}  // namespace
