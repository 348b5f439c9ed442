#pragma once

#include <cstdint>
#include <string>

#include "foundation/gen/result.h"

// What the command line asked for.
struct SCommandLine {
  enum Command : uint32_t { kNone = 0, kEncrypt = 1, kDecrypt = 2 };

  uint8_t help = 0;
  uint8_t listAlgorithms = 0;
  uint32_t command = kNone;
  uint8_t rewrite = 0;
  uint8_t confirm = 0;
  uint8_t useSalt = 0;
  std::wstring algorithm;
  std::wstring inputFile;
  std::wstring outputFile;
  std::wstring password;
  std::wstring locale;
};

void ResetCommandLine(SCommandLine& commandLine);
bool IsOptionToken(const wchar_t* token);
bool MatchOption(const std::wstring& token, const std::wstring& keyword);
tarnwick::gen::Result ParseCommandLine(SCommandLine& commandLine, int argc, wchar_t* argv[]);
