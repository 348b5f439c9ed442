#include "app/entry.h"

#include <iostream>

#include "app/command_line.h"
#include "app/ctrl_handler.h"
#include "app/encrypt_data.h"
#include "app/encryptor.h"
#include "app/exit_codes.h"
#include "app/info_output.h"
#include "app/job_flow.h"
#include "cryptopp/alg_info.h"
#include "foundation/err/utf8.h"
#include "foundation/platform/console.h"
#include "foundation/platform/locale.h"
#include "foundation/platform/signals.h"

CEncryptor g_encryptor;  // built after the constants included above, before wmain

namespace {

// The job record as far as the command line fills it; paths come later.
thisapp::SEncryptData StartJob(const SCommandLine& commandLine) {
  thisapp::SEncryptData job;
  job.encrypt = commandLine.command == SCommandLine::kEncrypt ? 1 : 0;
  job.useSalt = commandLine.useSalt;
  job.rewrite = commandLine.rewrite;
  job.password = commandLine.password;
  return job;
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
  try {
    tarnwick::platform::SetUserDefaultLocale();
  } catch (...) {
    // An unusable environment locale leaves the one we have.
  }

  if (const uint32_t error = tarnwick::platform::InstallConsoleHandler(ConsoleCtrlHandler)) {
    std::cout << "[ERROR] Could not set control handler. Error code: " << error << "."
              << std::endl;
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
      tarnwick::platform::WideOut() << L"[ERROR] Failed to set locale: '" << commandLine.locale
                                    << L"'.\r\n";
    }
  }

  if (commandLine.help) thisapp::PrintHelp();
  if (commandLine.listAlgorithms) thisapp::PrintAlgorithmList();
  if (commandLine.command == SCommandLine::kNone) {
    if (commandLine.help || commandLine.listAlgorithms) return thisapp::kExitSuccess;
    thisapp::PrintHelp();
    return thisapp::kExitInvalidCommandLine;
  }

  thisapp::SEncryptData job = StartJob(commandLine);
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
