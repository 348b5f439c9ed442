#include "app/job_flow.h"

#include <iostream>

#include "app/exit_codes.h"
#include "app/existing_output.h"
#include "app/job_handover.h"
#include "app/job_output.h"
#include "app/paths.h"
#include "foundation/err/trim.h"
#include "foundation/platform/console.h"
#include "foundation/platform/console_input.h"
#include "foundation/platform/files.h"
#include "foundation/platform/strings.h"

namespace thisapp {
namespace {

namespace platform = tarnwick::platform;
using platform::WideOut;

bool IsOneOf(const std::wstring& answer, const std::wstring& text) {
  return answer.size() == text.size() && platform::CompareNoCase(answer, text) == 0;
}

// Asks about an existing output; true for y or yes in any letter case.
bool ConfirmRewrite(const std::wstring& outputPath) {
  WideOut() << L"Rewrite file '" << GetFileName(outputPath) << L"' [Y(yes)/N(no)]?";
  std::wstring answer = platform::ReadConsoleWord();
  tarnwick::err::TrimSpaces(answer);
  return IsOneOf(answer, L"y") || IsOneOf(answer, L"yes");
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

}  // namespace

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
    std::cout << (encrypt ? "[ERROR] Failed to encrypt file. " : "[ERROR] Failed to decrypt file. ");
    WideOut() << L"Output file (" << outputPath << L") already exists.\r\n";
    return kExitOutputExists;
  }

  PrintJobHeader(encrypt, {job.libraryType, job.algorithmId}, inputPath, outputPath);
  std::cout << std::endl;
  PrintProgress(0.0);

  return RunJobOnWorker(job);
}

}  // namespace thisapp
