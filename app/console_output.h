#pragma once

#include <string>

#include "app/encrypt_data.h"
#include "crypto/alg_info.h"
#include "foundation/gen/result.h"

// Everything the program shows on std::cout: the texts before any job, the
// job header, the progress line and the closing lines.
namespace thisapp {

// The texts printed before any job: the banner at every start, the usage
// text and the list of algorithms, all on std::cout.
void PrintBanner();
void PrintHelp();
void PrintAlgorithmList();

// The progress line, rewritten in place: "\rProgress: " and the value,
// clamped to 0..100, as "%7.3f" in the C library's current locale, then
// "%"; no line end.
void PrintProgress(double percent);

// "File encryption." or "File decryption.", then the input and output
// paths and the algorithm's name behind labels padded to 19 characters.
void PrintJobHeader(bool encrypt, const tarnwick::crypto::SAlgorithmMatch& algorithm,
                    const std::wstring& inputPath, const std::wstring& outputPath);

// "File '<input name>' was encrypted successfully." (or decrypted).
void PrintJobSuccess(const SEncryptData& job);

// "[ERROR] Failed to encrypt file '<input path>'. " and the error text.
void PrintJobFailure(const SEncryptData& job, const tarnwick::gen::Result2& result);

}  // namespace thisapp
