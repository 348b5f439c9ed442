// Arbitrary argument vectors into the command-line parser: the input split
// on NUL bytes, each token decoded as the program decodes its arguments.
// The parser must always succeed, store no value that no token carries,
// ignore what the record held before, and pass over a leading stray token.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "app/command_line.h"
#include "foundation/platform/platform.h"
#include "fuzz/require.h"

namespace {

using tarnwick::gen::Result;

auto Fields(const SCommandLine& c) {
  return std::tie(c.help, c.listAlgorithms, c.command, c.rewrite, c.confirm, c.useSalt, c.algorithm,
                  c.inputFile, c.outputFile, c.password, c.locale);
}

SCommandLine Parse(std::vector<std::wstring> tokens, SCommandLine record) {
  std::vector<wchar_t*> argv;
  for (auto& token : tokens) argv.push_back(token.data());
  Require(ParseCommandLine(record, static_cast<int>(argv.size()), argv.data()) == Result{},
          "the parser failed");
  return record;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::wstring> tokens{L"quellmark"};
  for (size_t start = 0; start <= input.size();) {
    const std::string_view bytes = input.substr(start, input.find('\0', start) - start);
    tokens.push_back(tarnwick::platform::DecodeSystemText(bytes));
    // A file name typed on the command line must reach the disk unchanged.
    Require(tarnwick::platform::EncodeSystemText(tokens.back()) == bytes, "text round trip");
    start += bytes.size() + 1;
  }

  const SCommandLine fresh = Parse(tokens, SCommandLine{});
  for (const std::wstring* value :
       {&fresh.algorithm, &fresh.inputFile, &fresh.outputFile, &fresh.password, &fresh.locale}) {
    Require(value->empty() || std::find(tokens.begin() + 1, tokens.end(), *value) != tokens.end(),
            "a value that no token carries");
  }

  const SCommandLine stale{1, 1, SCommandLine::kDecrypt, 1, 1, 1, L"a", L"i", L"o", L"p", L"l"};
  Require(Fields(Parse(tokens, stale)) == Fields(fresh), "the record kept an earlier value");
  tokens.insert(tokens.begin() + 1, L"stray");
  Require(Fields(Parse(tokens, SCommandLine{})) == Fields(fresh), "a stray token changed it");
  return 0;
}
