#include "app/console_output.h"

#include <cstdio>
#include <iomanip>
#include <iostream>

#include "app/constants.h"
#include "app/err_msg.h"
#include "app/paths.h"
#include "cryptopp/alg_info.h"
#include "foundation/platform/platform.h"

namespace thisapp {
namespace {

using tarnwick::platform::WideOut;

constexpr const char* kHomePage = "https://vellumor.example.com";
constexpr int kVersion[] = {2, 0, 3, 125};

constexpr const char* kHelpLines[] = {
    "Command line to encrypt file:",
    "/encrypt /ifile <input file> [/ofile <output file>] /alg <algorithm> [/password <password>] "
    "[/rewrite [/confirm]] [/usesalt] [/locale <locale>]",
    "",
    "Command line to decrypt file:",
    "/decrypt /ifile <input file> [/ofile <output file>] /alg <algorithm> [/password <password>] "
    "[/rewrite [/confirm]] [/locale <locale>]",
    "",
    "Command line to view the list of supported encryption algorithms:",
    "/algorithms",
    "",
    "Command line to view help:",
    "/help",
    "",
    "Where",
    "    <input file>  - input file to encrypt/decrypt;",
    "    <output file> - output file;",
    "    <password>    - password (empty password will be used if password not defined);",
    "    <algorithm>   - the name of the encryption algorithm (use '/algs' to view the list of "
    "supported algorithms);",
    "    <locale>      - Country/Region. For example: aus (or australia), aut (austria), bel "
    "(belgium),",
    "                    bra (brazil), can (canada), china (chn, pr-china), cze (czech), dnk "
    "(denmark), fin (finland),",
    "                    fra (france), deu (germany), grc (greece), hkg (hong-kong), hun "
    "(hungary), iceland (isl),",
    "                    irl (ireland), ita (italy), jpn (japan), kor (korea), mex (mexico), nld "
    "(holland), nzl (new-zealand),",
    "                    nor (norway), pol (poland), prt (portugal), rus (russia), sgp "
    "(singapore), svk (slovak), esp (spain),",
    "                    swe (sweden), che (switzerland), twn (taiwan), tur (turkey), gbr "
    "(england), usa (america).",
    "Use \"/rewrite\" to rewrite existing output file automatically.",
    "Use \"/confirm\" to confirm the rewriting of the existing output file.",
    "Use \"/?\", \"/help\" or \"/man\" to show this help.",
    "You can use",
    "    \"/enc\" instead of command \"/encrypt\",",
    "    \"/dec\" instead of \"/decrypt\",",
    "    \"/psw\" instead of \"/password\",",
    "    \"/a\" or \"/algorithm\" instead of \"/alg\",",
    "    \"/i\" or \"/inputfile\" instead of \"/ifile\",",
    "    \"/o\" or \"/outputfile\" instead of \"/ofile\",",
    "    \"/algs\" instead of \"/algorithms\".",
    "If output file not defined the program will try to create output file in the same folder "
    "where is the input file.",
    "In this case program adds \".enc\" (for encrypted file and \".dec\" for decrypted file) "
    "suffix into the name of the output file.",
    "",
    "Return values:",
    "    0 - success",
    "    1 - invalid command line",
    "    2 - input file not defined",
    "    3 - input file not found",
    "    4 - undefined algorithm",
    "    5 - invalid algorithm",
    "    6 - output file already exists",
    "    7 - failed to encrypt/decrypt",
    "",
    "Examples:",
    "    Quellmark /algs",
    "    Quellmark /help",
    "    Quellmark /encrypt /ifile \"c:\\plans.doc\" /ofile \"d:\\plans.doc.enc\" /alg aes-256",
    "    Quellmark /encrypt /ifile \"c:\\plans.doc\" /ofile \"d:\\plans.doc.enc\" /alg aes-256 "
    "/psw \"12345\"",
    "    Quellmark /encrypt /ifile \"c:\\plans.doc\" /ofile \"d:\\plans.doc.enc\" /alg aes-256 "
    "/psw \"12345\" /rewrite /usesalt",
    "    Quellmark /decrypt /ifile \"d:\\plans.doc.enc\" /ofile \"c:\\plans.doc\" /alg aes-256",
    "    Quellmark /decrypt /ifile \"d:\\plans.doc.enc\" /ofile \"c:\\plans.doc\" /alg aes-256 "
    "/rewrite",
    "",
    "All files encrypted by Quellmark can be decrypted by Bramblecase (also on Mac OS and Linux), "
    "only use same algorithm and password.",
    "All files encrypted by Bramblecase can be decrypted by Quellmark, only use same algorithm "
    "and password.",
};

// A label of the algorithm list and the job header, followed by blanks up
// to 19 characters. Fill and adjustment stay set on std::cout; the width
// applies to the next output only.
template <typename Text>
std::ostream& PrintLabel(const Text& text) {
  return std::cout << std::setfill(' ') << std::left << std::setw(19) << text;
}

// printf formatting follows the C library's locale (the decimal mark),
// which the iostreams do not.
// The value lies in 0..100, so the text is at most 7 characters.
std::string FormatPercent(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%7.3f", value);
  return text;
}

}  // namespace

void PrintBanner() {
  std::cout << kProductName << " Version " << kVersion[0] << '.' << kVersion[1] << '.'
            << kVersion[2] << '.' << kVersion[3] << std::endl;
  std::cout << "Copyright (c) 2009-2014 Vellumor. All rights reserved." << std::endl;
  std::cout << "Home page: " << kHomePage << std::endl;
  std::cout << std::endl;
}

void PrintHelp() {
  for (const char* line : kHelpLines) std::cout << line << std::endl;
  std::cout << "Bramblecase - other encryption program (with UI) from " << kHomePage << "."
            << std::endl;
}

void PrintAlgorithmList() {
  namespace cp = tarnwick::cryptopp;
  std::cout << "The list of supported encryption algorithms:" << std::endl << std::endl;
  PrintLabel("Name") << "Description" << std::endl;
  PrintLabel("-------") << "----------------------------------------------------" << std::endl;
  cp::AlgInfo catalogue;
  for (const cp::AlgorithmRow& row : cp::AlgorithmTable) {
    const tarnwick::crypto::SAlgInfo info = catalogue.GetInfo(row.algorithmId);
    const uint32_t hash = catalogue.GetHashAlgorithm(row.algorithmId);
    PrintLabel(cp::GetAlgorithmNameA(row.algorithmId));
    if (info.keySize > 0 && info.ivSize > 0) {
      std::cout << "Key size: " << info.keySize << ". IV size: " << info.ivSize << ". ";
      if (info.cipherMode != 0) {
        std::cout << "Cipher mode: " << cp::GetCipherModeName(info.cipherMode) << ". ";
      }
      if (info.isStream != 0) std::cout << "Stream cipher. ";
      if (hash != 0) std::cout << "Hash function: " << cp::GetHashName(hash);
    }
    std::cout << std::endl;
  }
}

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
