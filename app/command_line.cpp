#include "app/command_line.h"

#include <string_view>

#include "app/constants.h"
#include "foundation/platform/platform.h"

namespace {

using namespace thisapp;

// One option with its keywords (unused slots null). A switch sets its flag
// through `apply`; a value option stores its value in `value`.
struct OptionRow {
  const std::wstring* keywords[3];
  void (*apply)(SCommandLine&);
  std::wstring SCommandLine::*value;
};

// In the order the rows are tried; the first match decides.
const OptionRow kOptions[] = {
    {{&kOptHelpShort, &kOptHelpMan, &kOptHelp}, [](SCommandLine& c) { c.help = 1; }, nullptr},
    {{&kOptAlgorithmsShort, &kOptAlgorithms},
     [](SCommandLine& c) { c.listAlgorithms = 1; },
     nullptr},
    {{&kOptRewrite}, [](SCommandLine& c) { c.rewrite = 1; }, nullptr},
    {{&kOptConfirm}, [](SCommandLine& c) { c.confirm = 1; }, nullptr},
    {{&kOptUseSalt}, [](SCommandLine& c) { c.useSalt = 1; }, nullptr},
    {{&kOptEncryptShort, &kOptEncrypt},
     [](SCommandLine& c) { c.command = SCommandLine::kEncrypt; },
     nullptr},
    {{&kOptDecryptShort, &kOptDecrypt},
     [](SCommandLine& c) { c.command = SCommandLine::kDecrypt; },
     nullptr},
    {{&kOptInputShort, &kOptInput, &kOptInputLong}, nullptr, &SCommandLine::inputFile},
    {{&kOptOutputShort, &kOptOutput, &kOptOutputLong}, nullptr, &SCommandLine::outputFile},
    {{&kOptAlgorithmShort, &kOptAlgorithm, &kOptAlgorithmLong}, nullptr, &SCommandLine::algorithm},
    {{&kOptPasswordShort, &kOptPassword}, nullptr, &SCommandLine::password},
    {{&kOptLocale}, nullptr, &SCommandLine::locale},
};

bool MatchesRow(const std::wstring& token, const OptionRow& row) {
  for (const std::wstring* keyword : row.keywords) {
    if (keyword && MatchOption(token, *keyword)) return true;
  }
  return false;
}

const OptionRow* FindOption(const std::wstring& token) {
  for (const OptionRow& row : kOptions) {
    if (MatchesRow(token, row)) return &row;
  }
  return nullptr;
}

}  // namespace

void ResetCommandLine(SCommandLine& commandLine) { commandLine = SCommandLine{}; }

bool IsOptionToken(const wchar_t* token) { return token && (token[0] == L'/' || token[0] == L'-'); }

bool MatchOption(const std::wstring& token, const std::wstring& keyword) {
  return IsOptionToken(token.c_str()) && token.size() == keyword.size() + 1 &&
         tarnwick::platform::CompareNoCase(std::wstring_view(token).substr(1), keyword) == 0;
}

tarnwick::gen::Result ParseCommandLine(SCommandLine& commandLine, int argc, wchar_t* argv[]) {
  ResetCommandLine(commandLine);
  for (int i = 1; i < argc; ++i) {
    const OptionRow* option = FindOption(argv[i]);
    if (!option) {
      commandLine.passedOver.emplace_back(argv[i]);
    } else if (option->apply) {
      option->apply(commandLine);
    } else if (i + 1 < argc && !FindOption(argv[i + 1])) {
      // Only another option ends a value option: every absolute path
      // begins with '/', and a password may begin with '-'.
      commandLine.*(option->value) = argv[++i];
    } else if (option->value == &SCommandLine::password) {
      commandLine.passwordWithoutValue = argv[i];
    }
  }
  return {};
}
