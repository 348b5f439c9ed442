#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/command_line.h"

namespace {

// The parsed record as one line: the flags that are set, the command, the
// texts that are not empty, then what was passed over.
std::wstring Parsed(std::vector<std::wstring> tokens) {
  tokens.insert(tokens.begin(), L"quellmark");
  std::vector<wchar_t*> argv;
  for (std::wstring& t : tokens) argv.push_back(t.data());
  argv.push_back(nullptr);
  SCommandLine c;
  c.help = c.rewrite = 1, c.command = 2, c.password = L"stale";  // must not survive
  c.passedOver = {L"stale"}, c.passwordWithoutValue = L"stale";
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
  for (const std::wstring& token : c.passedOver) s += L"skip(" + token + L") ";
  if (!c.passwordWithoutValue.empty()) s += L"nopsw(" + c.passwordWithoutValue + L") ";
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
    // A switch takes no value: the word after it is passed over.
    const bool isSwitch = std::wstring(want).find(L"=v") == std::wstring::npos;
    EXPECT_EQ(Parsed({L"/" + std::wstring(keyword), L"v"}),
              std::wstring(want) + (isSwitch ? L"skip(v) " : L""));
  }
}

TEST(CommandLine, CommandLines) {
  const std::pair<std::vector<std::wstring>, const wchar_t*> cases[] = {
      // Passed over, and told in order for a job to refuse.
      {{L"/x", L"x", L"/", L"-", L"", L"/encr", L"/i2", L"//i", L"--help", L"/ofile"},
       L"skip(/x) skip(x) skip(/) skip(-) skip() skip(/encr) skip(/i2) skip(//i) skip(--help) "},
      {{L"--password", L"my secret", L"/pasword", L"x", L"/password=x"},
       L"skip(--password) skip(my secret) skip(/pasword) skip(x) skip(/password=x) "},
      // Later tokens win; an empty token is a value too.
      {{L"/i", L"a.txt", L"/i", L"b.txt"}, L"i=b.txt "},
      {{L"/enc", L"/dec"}, L"cmd2 "},
      {{L"/psw", L"old", L"/PSW", L""}, L""},
      {{L"/psw", L"old", L"-Password"}, L"p=old nopsw(-Password) "},
      // A value may begin with '/' or '-'; only an option ends a value option.
      {{L"/psw", L"-x1", L"/o", L"-"}, L"o=- p=-x1 "},
      {{L"/locale", L"/tmp", L"/i", L"/encr"}, L"i=/encr l=/tmp "},
      {{L"/password", L"/rewrite"}, L"rewrite nopsw(/password) "},
      {{L"/a", L"-Algs", L"/psw"}, L"list nopsw(/psw) "},
  };
  for (const auto& [tokens, want] : cases) EXPECT_EQ(Parsed(tokens), want);
}

}  // namespace
