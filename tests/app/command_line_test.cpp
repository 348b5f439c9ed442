#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/command_line.h"

namespace {

// The parsed record as one line: the flags that are set, the command, then
// the texts that are not empty.
std::wstring Parsed(std::vector<std::wstring> tokens) {
  tokens.insert(tokens.begin(), L"quellmark");
  std::vector<wchar_t*> argv;
  for (std::wstring& t : tokens) argv.push_back(t.data());
  argv.push_back(nullptr);
  SCommandLine c;
  c.help = c.rewrite = 1, c.command = 2, c.password = L"stale";  // must not survive
  ParseCommandLine(c, static_cast<int>(tokens.size()), argv.data());
  std::wstring s;
  for (auto [flag, name] : {std::pair{c.help, L"help"}, {c.listAlgorithms, L"list"},
                            {c.rewrite, L"rewrite"}, {c.confirm, L"confirm"},
                            {c.useSalt, L"salt"}}) {
    if (flag) s += std::wstring(name) + L" ";
  }
  if (c.command) s += L"cmd" + std::to_wstring(c.command) + L" ";
  for (auto [text, name] : {std::pair{&c.algorithm, L"a"}, {&c.inputFile, L"i"},
                            {&c.outputFile, L"o"}, {&c.password, L"p"}, {&c.locale, L"l"}}) {
    if (!text->empty()) s += std::wstring(name) + L"=" + *text + L" ";
  }
  return s;
}

// Every keyword; the '-' prefix and other letter cases take the same path
// for all of them (see "-Algs" below).
TEST(CommandLine, EveryKeywordReachesItsField) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"?", L"help "},          {L"man", L"help "},     {L"help", L"help "},
      {L"algs", L"list "},       {L"algorithms", L"list "}, {L"rewrite", L"rewrite "},
      {L"confirm", L"confirm "}, {L"usesalt", L"salt "}, {L"enc", L"cmd1 "},
      {L"encrypt", L"cmd1 "},    {L"dec", L"cmd2 "},     {L"decrypt", L"cmd2 "},
      {L"i", L"i=v "},           {L"ifile", L"i=v "},    {L"inputfile", L"i=v "},
      {L"o", L"o=v "},           {L"ofile", L"o=v "},    {L"outputfile", L"o=v "},
      {L"a", L"a=v "},           {L"alg", L"a=v "},      {L"algorithm", L"a=v "},
      {L"psw", L"p=v "},         {L"password", L"p=v "}, {L"locale", L"l=v "}};
  for (const auto& [keyword, want] : cases) {
    EXPECT_EQ(Parsed({L"/" + std::wstring(keyword), L"v"}), want);
  }
}

TEST(CommandLine, CommandLines) {
  const std::pair<std::vector<std::wstring>, const wchar_t*> cases[] = {
      {{L"/x", L"x", L"/", L"-", L"", L"/encr", L"/i2", L"//i", L"--help", L"/ofile"}, L""},
      // Later tokens win; an empty token is a value too.
      {{L"/i", L"a.txt", L"/i", L"b.txt"}, L"i=b.txt "},
      {{L"/enc", L"/dec"}, L"cmd2 "},
      {{L"/psw", L"old", L"/psw", L""}, L""},
      // A value may begin with '/' or '-'; only an option ends a value option.
      {{L"/psw", L"-x1", L"/o", L"-"}, L"o=- p=-x1 "},
      {{L"/locale", L"/tmp", L"/i", L"/encr"}, L"i=/encr l=/tmp "},
      {{L"/password", L"/rewrite"}, L"rewrite "},
      {{L"/a", L"-Algs", L"/psw"}, L"list "},
  };
  for (const auto& [tokens, want] : cases) EXPECT_EQ(Parsed(tokens), want);
}

}  // namespace
