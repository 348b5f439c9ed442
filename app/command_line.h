#pragma once

#include <cstdint>
#include <string>
#include <vector>

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
  // What the parser could not use, for a job to refuse: a mistyped option
  // ("--password", "/pasword") and the words after it would otherwise
  // leave the password empty without a word.
  std::vector<std::wstring> passedOver;  // as typed, in order
  std::wstring passwordWithoutValue;     // the password option as typed, when it took no value
};

// Back to the cleared state: flags and command 0, the five texts empty.
void ResetCommandLine(SCommandLine& commandLine);

// True when the token begins with '/' or '-' (false for null or empty).
bool IsOptionToken(const wchar_t* token);

// True when the token is '/' or '-' followed by exactly the keyword, case
// ignored.
bool MatchOption(const std::wstring& token, const std::wstring& keyword);

// Fills the record from argv[1] to argv[argc - 1]; unknown tokens are passed
// over, and listed in `passedOver`. A value option takes the next token as
// its value unless that token is itself one of the options ("/ifile
// /home/a.txt" and "/psw -x1" carry their values; "/psw /rewrite" leaves
// the password empty and sets `passwordWithoutValue`). Always succeeds.
tarnwick::gen::Result ParseCommandLine(SCommandLine& commandLine, int argc, wchar_t* argv[]);
