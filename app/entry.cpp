#include "app/entry.h"

#include <iostream>
#include <utility>

#include "app/console_output.h"
#include "app/encryptor.h"
#include "app/existing_output.h"
#include "app/paths.h"
#include "cryptopp/alg_info.h"
#include "foundation/err/codes.h"
#include "foundation/err/err_text.h"
#include "foundation/platform/platform.h"
#include "foundation/sync/locks.h"

// The one job runner of the program; it must exist before wmain runs and
// lives until the process ends.
CEncryptor g_encryptor;

namespace {

// The console control handler, called on a thread of its own with the
// console event. Ctrl+C and a closed console cancel the running job and
// count as handled; every other event is left to its default action.
bool ConsoleCtrlHandler(uint32_t ctrlType) {
  switch (ctrlType) {
    case tarnwick::platform::kConsoleCtrlC:
    case tarnwick::platform::kConsoleClosed:
      // Returns once the running job, if any, has ended.
      g_encryptor.Stop();
      return true;
    default: return false;
  }
}

}  // namespace

namespace thisapp {
namespace {

namespace gen = tarnwick::gen;
namespace platform = tarnwick::platform;
using platform::WideOut;

// The process exit codes, as the help text lists them.
enum ExitCode : int {
  kExitSuccess = 0,
  kExitInvalidCommandLine = 1,
  kExitInputNotDefined = 2,
  kExitInputNotFound = 3,
  kExitUndefinedAlgorithm = 4,
  kExitInvalidAlgorithm = 5,
  kExitOutputExists = 6,
  kExitJobFailed = 7,
};

constexpr uint32_t kPollMs = 250;

// The same length and the same letters, case ignored.
bool EqualsNoCase(const std::wstring& answer, const std::wstring& text) {
  return answer.size() == text.size() && platform::CompareNoCase(answer, text) == 0;
}

// Asks about an existing output; true for y or yes in any letter case.
bool ConfirmRewrite(const std::wstring& outputPath) {
  WideOut() << L"Rewrite file '" << GetFileName(outputPath) << L"' [Y(yes)/N(no)]?";
  std::wstring answer = platform::ReadConsoleWord();
  tarnwick::err::TrimSpaces(answer);
  return EqualsNoCase(answer, L"y") || EqualsNoCase(answer, L"yes");
}

// Under /rewrite an existing output goes, after a yes when /confirm asks;
// the input itself is never deleted. What still exists afterwards is
// refused by the caller.
void RewriteStep(const SCommandLine& commandLine, const std::wstring& inputPath,
                 const std::wstring& outputPath) {
  if (!commandLine.rewrite) return;
  if (!IsExistingOutput(outputPath)) return;
  if (IsInputItself(inputPath, outputPath)) return;
  if (commandLine.confirm && !ConfirmRewrite(outputPath)) return;
  DeleteExistingOutput(outputPath, L"[ERROR] Failed to delete file. File path: ");
}

// A job never runs on arguments it would pass over: a mistyped password
// option would mean the empty password. Tells each unknown token and a
// password option without a value; true when there was one.
bool RefuseUnusedArguments(const SCommandLine& commandLine) {
  for (const std::wstring& token : commandLine.passedOver) {
    WideOut() << L"[ERROR] Unknown argument: '" << token << L"'.\r\n";
  }
  if (!commandLine.passwordWithoutValue.empty()) {
    WideOut() << L"[ERROR] No value for option '" << commandLine.passwordWithoutValue
              << L"'.\r\n";
  }
  return !commandLine.passedOver.empty() || !commandLine.passwordWithoutValue.empty();
}

void WaitShowingProgress(CEncryptor& runner) {
  while (runner.thread.IsRunning()) {
    if (runner.thread.Wait(kPollMs) == tarnwick::thread::kWaitFinished) break;
    const double percent = runner.thread.IsRunning() ? runner.progress.Get() : 0.0;
    PrintProgress(percent);
  }
}

// Hands the job to the worker of g_encryptor, rewrites the progress line
// while it runs and prints the closing lines. Answers 0 when the job
// succeeded or was cancelled, 7 when the worker was busy, could not start
// or the job failed.
int RunJobOnWorker(const SEncryptData& job) {
  CEncryptor& runner = g_encryptor;
  // A failure here stays on the progress line, with no empty line after it.
  if (runner.thread.IsRunning()) {
    PrintJobFailure(job, gen::OwnError(tarnwick::err::kCodeThreadBusy));
    return kExitJobFailed;
  }
  // Stored before the start, so the worker reads a whole record. The copy
  // is made unlocked: swapping it in cannot throw while the lock is held.
  SEncryptData copy = job;
  tarnwick::sync::Locked(runner.encryptData,
                         [&](SEncryptData& stored) { std::swap(stored, copy); });
  // A cancel from before the hand-over does not count for this job.
  runner.canceled.Set(false);
  const gen::Result started = runner.thread.Start();
  if (started.code != 0) {
    PrintJobFailure(job, {started.kind, started.code, 0, 0});
    return kExitJobFailed;
  }

  WaitShowingProgress(runner);

  const gen::Result2 result =
      tarnwick::sync::Locked(runner.result, [](const gen::Result2& stored) { return stored; });
  int exitCode = kExitSuccess;
  if (!gen::IsSuccess(result)) {
    std::cout << std::endl;
    PrintJobFailure(job, result);
    exitCode = kExitJobFailed;
  } else if (runner.canceled.Get()) {
    std::cout << std::endl << "File encryption was canceled." << std::endl;
  } else {
    PrintProgress(100.0);
    std::cout << std::endl;
    PrintJobSuccess(job);
  }
  std::cout << std::endl;
  return exitCode;
}

}  // namespace

SEncryptData MakeJobRecord(const SCommandLine& commandLine) {
  SEncryptData job;
  job.encrypt = commandLine.command == SCommandLine::kEncrypt ? 1 : 0;
  job.useSalt = commandLine.useSalt;
  // Under /confirm only a yes to the question permits a delete, and the
  // worker asks nobody: an output that appears after the question is
  // refused there, never deleted.
  job.rewrite = commandLine.rewrite && !commandLine.confirm;
  job.password = commandLine.password;
  return job;
}

int RunJobFlow(const SCommandLine& commandLine, SEncryptData& job) {
  const bool encrypt = job.encrypt != 0;
  const std::wstring base = GetModuleFolder();

  const std::wstring inputPath = MakeFullPath(base, ResolvePath(commandLine.inputFile));
  if (inputPath.empty()) {
    std::cout << (encrypt ? "[ERROR] Failed to encrypt file. Input file not defined."
                          : "[ERROR] Failed to decrypt file. Input file not defined.")
              << std::endl;
    return kExitInputNotDefined;
  }
  if (platform::GetPathKind(inputPath) != platform::PathKind::kFile) {
    WideOut() << (encrypt ? L"[ERROR] Failed to encrypt file '"
                          : L"[ERROR] Failed to decrypt file '")
              << inputPath << L"'. File not found.\r\n";
    return kExitInputNotFound;
  }

  std::wstring outputPath = MakeFullPath(base, ResolvePath(commandLine.outputFile));
  if (outputPath.empty()) {
    outputPath = MakeDefaultOutputPath(encrypt, inputPath);
    WideOut() << L"Generated output file: '" << outputPath << L"'.\r\n";
  }
  job.inputFile = inputPath;
  job.outputFile = outputPath;

  RewriteStep(commandLine, inputPath, outputPath);
  if (IsExistingOutput(outputPath)) {
    std::cout << (encrypt ? "[ERROR] Failed to encrypt file. "
                          : "[ERROR] Failed to decrypt file. ");
    WideOut() << L"Output file (" << outputPath << L") already exists.\r\n";
    return kExitOutputExists;
  }

  PrintJobHeader(encrypt, {job.libraryType, job.algorithmId}, inputPath, outputPath);
  std::cout << std::endl;
  PrintProgress(0.0);

  return RunJobOnWorker(job);
}

}  // namespace thisapp

int wmain(int argc, wchar_t* argv[]) {
  try {
    tarnwick::platform::SetUserDefaultLocale();
  } catch (...) {
    // An unusable environment locale leaves the one we have.
  }

  if (const uint32_t error = tarnwick::platform::InstallConsoleHandler(ConsoleCtrlHandler)) {
    std::cout << "[ERROR] Could not set control handler. Error code: " << error << "." << std::endl;
  }

  thisapp::PrintBanner();

  SCommandLine commandLine;
  ResetCommandLine(commandLine);
  if (ParseCommandLine(commandLine, argc, argv).code != 0) {
    std::cout << "[ERROR] Failed to parse the command line." << std::endl;
    thisapp::PrintHelp();
    return thisapp::kExitInvalidCommandLine;
  }

  if (!commandLine.locale.empty()) {
    try {
      tarnwick::platform::SetGlobalLocale(tarnwick::err::WideToUtf8(commandLine.locale));
    } catch (...) {
      tarnwick::platform::WideOut()
          << L"[ERROR] Failed to set locale: '" << commandLine.locale << L"'.\r\n";
    }
  }

  if (commandLine.help) thisapp::PrintHelp();
  if (commandLine.listAlgorithms) thisapp::PrintAlgorithmList();
  if (commandLine.command == SCommandLine::kNone) {
    if (commandLine.help || commandLine.listAlgorithms) return thisapp::kExitSuccess;
    thisapp::PrintHelp();
    return thisapp::kExitInvalidCommandLine;
  }
  if (thisapp::RefuseUnusedArguments(commandLine)) return thisapp::kExitInvalidCommandLine;

  thisapp::SEncryptData job = thisapp::MakeJobRecord(commandLine);
  if (commandLine.algorithm.empty()) {
    std::cout << "[ERROR] Algorithm name not defined. Please use \"/help\" to see help."
              << std::endl;
    return thisapp::kExitUndefinedAlgorithm;
  }
  const tarnwick::crypto::SAlgorithmMatch match =
      tarnwick::cryptopp::FindAlgorithmByName(commandLine.algorithm);
  if (match.algorithmId == 0) {
    std::cout << "[ERROR] Invalid algorithm name. Please use \"/help\" to see help." << std::endl;
    return thisapp::kExitInvalidAlgorithm;
  }
  job.libraryType = match.libraryType;
  job.algorithmId = match.algorithmId;

  return thisapp::RunJobFlow(commandLine, job);
}
