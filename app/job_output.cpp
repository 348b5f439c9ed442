#include "app/job_output.h"

#include <cstdio>
#include <iostream>

#include "app/console_label.h"
#include "app/err_msg.h"
#include "app/paths.h"
#include "cryptopp/alg_info.h"
#include "foundation/platform/platform.h"

namespace thisapp {
namespace {

using tarnwick::platform::WideOut;

// printf formatting follows the C library's locale (the decimal mark),
// which the iostreams do not.
// The value lies in 0..100, so the text is at most 7 characters.
std::string FormatPercent(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%7.3f", value);
  return text;
}

}  // namespace

void PrintProgress(double percent) {
  // A NaN fails both range tests and would print as "nan": show 0 then.
  double value = 0.0;
  if (percent > 100.0) {
    value = 100.0;
  } else if (percent >= 0.0) {
    // Rounded through float, the precision progress travels in from the
    // job: the digits shown are those of the job's own value, whether the
    // caller passes that value on or a double of its own.
    value = static_cast<float>(percent);
  }
  std::cout << "\rProgress:              " << std::flush;
  std::cout << "\rProgress: " << FormatPercent(value) << "%" << std::flush;
}

void PrintJobHeader(bool encrypt, const tarnwick::crypto::SAlgorithmMatch& algorithm,
                    const std::wstring& inputPath, const std::wstring& outputPath) {
  std::cout << (encrypt ? "File encryption." : "File decryption.") << std::endl;
  PrintLabel("Input file: ");
  WideOut() << inputPath;
  std::cout << std::endl;
  PrintLabel("Output file: ");
  WideOut() << outputPath;
  std::cout << std::endl;
  PrintLabel("Algorithm: ") << tarnwick::cryptopp::GetAlgorithmNameA(algorithm.algorithmId)
                            << std::endl;
}

void PrintJobSuccess(const SEncryptData& job) {
  WideOut() << L"File '" << GetFileName(job.inputFile)
            << (job.encrypt ? L"' was encrypted successfully.\r\n"
                            : L"' was decrypted successfully.\r\n");
}

void PrintJobFailure(const SEncryptData& job, const tarnwick::gen::Result2& result) {
  WideOut() << (job.encrypt ? L"[ERROR] Failed to encrypt file '"
                            : L"[ERROR] Failed to decrypt file '")
            << job.inputFile << L"'. " << CErrMsg().GetErrorText(result) << L"\r\n";
}

}  // namespace thisapp
