// Arbitrary argument vectors into the command-line parser: the input split
// on NUL bytes, each token decoded as the program decodes its arguments.
// The parser must always succeed, fill nothing but switches and values
// taken from the tokens, ignore what the record held before, and pass over
// a leading token that is no option.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "foundation/platform/platform.h"

namespace {

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "command_line_fuzz: %s\n", what);
  std::abort();
}

bool SameRecord(const SCommandLine& a, const SCommandLine& b) {
  return a.help == b.help && a.listAlgorithms == b.listAlgorithms && a.command == b.command &&
         a.rewrite == b.rewrite && a.confirm == b.confirm && a.useSalt == b.useSalt &&
         a.algorithm == b.algorithm && a.inputFile == b.inputFile && a.outputFile == b.outputFile &&
         a.password == b.password && a.locale == b.locale;
}

SCommandLine Parse(std::vector<std::wstring>& tokens, SCommandLine record) {
  std::vector<wchar_t*> argv;
  for (auto& token : tokens) argv.push_back(token.data());
  argv.push_back(nullptr);
  const auto result = ParseCommandLine(record, static_cast<int>(tokens.size()), argv.data());
  Require(result.kind == 0 && result.code == 0, "the parser failed");
  return record;
}

bool IsOneOf(const std::wstring& value, const std::vector<std::wstring>& tokens) {
  for (size_t i = 1; i < tokens.size(); ++i) {
    if (tokens[i] == value) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::wstring> tokens{L"quellmark"};
  for (size_t start = 0; start <= input.size();) {
    size_t end = input.find('\0', start);
    if (end == std::string_view::npos) end = input.size();
    const std::string_view bytes = input.substr(start, end - start);
    tokens.push_back(tarnwick::platform::DecodeSystemText(bytes));
    // Every argument must stay reachable: a file name typed on the command
    // line has to reach the disk as the same bytes.
    Require(tarnwick::platform::EncodeSystemText(tokens.back()) == bytes, "text round trip");
    start = end + 1;
  }

  const SCommandLine fresh = Parse(tokens, SCommandLine{});
  Require(fresh.help <= 1 && fresh.listAlgorithms <= 1 && fresh.rewrite <= 1 &&
              fresh.confirm <= 1 && fresh.useSalt <= 1,
          "a switch that is neither on nor off");
  Require(fresh.command <= SCommandLine::kDecrypt, "unknown command");
  for (const std::wstring* value :
       {&fresh.algorithm, &fresh.inputFile, &fresh.outputFile, &fresh.password, &fresh.locale}) {
    Require(value->empty() || IsOneOf(*value, tokens), "a value that no token carries");
  }

  SCommandLine stale;
  stale.help = stale.listAlgorithms = stale.rewrite = stale.confirm = stale.useSalt = 1;
  stale.command = SCommandLine::kDecrypt;
  stale.algorithm = stale.inputFile = stale.outputFile = stale.password = stale.locale = L"old";
  Require(SameRecord(Parse(tokens, stale), fresh), "the record kept an earlier value");

  std::vector<std::wstring> padded = tokens;
  padded.insert(padded.begin() + 1, L"stray");
  Require(SameRecord(Parse(padded, SCommandLine{}), fresh), "a stray token changed the record");
  return 0;
}
