#include "app/job_output.h"

#include <cstdio>
#include <iomanip>
#include <iostream>

#include "app/err_msg.h"
#include "app/paths.h"
#include "cryptopp/alg_info.h"
#include "foundation/platform/console.h"

namespace thisapp {
namespace {

using tarnwick::platform::WideOut;

constexpr int kLabelWidth = 19;

std::ostream& Label(const char* text) {
  return std::cout << std::setfill(' ') << std::left << std::setw(kLabelWidth) << text;
}

// printf formatting follows the C library's locale (the decimal mark),
// which the iostreams do not.
std::string FormatPercent(double value) {
  const char* format = "%7.3f";
  const int length = std::snprintf(nullptr, 0, format, value);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  std::snprintf(text.data(), text.size(), format, value);
  text.resize(static_cast<size_t>(length));
  return text;
}

}  // namespace

void PrintProgress(double percent) {
  // A NaN fails both range tests and would print as "nan": show 0 then.
  double value = 0.0;
  if (percent > 100.0) {
    value = 100.0;
  } else if (percent >= 0.0) {
    value = static_cast<float>(percent);
  }
  std::cout << "\rProgress:              " << std::flush;
  std::cout << "\rProgress: " << FormatPercent(value) << "%" << std::flush;
}

void PrintJobHeader(bool encrypt, const tarnwick::crypto::SAlgorithmMatch& algorithm,
                    const std::wstring& inputPath, const std::wstring& outputPath) {
  std::cout << (encrypt ? "File encryption." : "File decryption.") << std::endl;
  Label("Input file: ");
  WideOut() << inputPath;
  std::cout << std::endl;
  Label("Output file: ");
  WideOut() << outputPath;
  std::cout << std::endl;
  Label("Algorithm: ") << tarnwick::cryptopp::GetAlgorithmNameA(algorithm.algorithmId)
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
