#include <cwctype>
#include <locale>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/command_line.h"

namespace {

SCommandLine Parse(std::vector<std::wstring> tokens) {
  tokens.insert(tokens.begin(), L"quellmark");
  std::vector<wchar_t*> argv;
  for (std::wstring& t : tokens) argv.push_back(t.data());
  argv.push_back(nullptr);
  SCommandLine line;
  // Leftovers from an earlier use must not survive.
  line.help = line.rewrite = 1;
  line.command = 2;
  line.password = L"stale";
  const tarnwick::gen::Result result =
      ParseCommandLine(line, static_cast<int>(tokens.size()), argv.data());
  EXPECT_EQ(result.kind, 0u);
  EXPECT_EQ(result.code, 0u);
  return line;
}

bool IsCleared(const SCommandLine& c) {
  return !c.help && !c.listAlgorithms && c.command == 0 && !c.rewrite && !c.confirm &&
         !c.useSalt && c.algorithm.empty() && c.inputFile.empty() && c.outputFile.empty() &&
         c.password.empty() && c.locale.empty();
}

TEST(CommandLine, TokenAndKeywordMatching) {
  EXPECT_FALSE(IsOptionToken(nullptr));
  EXPECT_FALSE(IsOptionToken(L""));
  EXPECT_FALSE(IsOptionToken(L"a/"));
  EXPECT_TRUE(IsOptionToken(L"/"));
  EXPECT_TRUE(IsOptionToken(L"-x"));

  EXPECT_TRUE(MatchOption(L"/i", L"i"));
  EXPECT_TRUE(MatchOption(L"-I", L"i"));
  EXPECT_TRUE(MatchOption(L"/UseSalt", L"usesalt"));
  EXPECT_FALSE(MatchOption(L"i", L"i"));
  EXPECT_FALSE(MatchOption(L"/ii", L"i"));
  EXPECT_FALSE(MatchOption(L"//i", L"i"));
  EXPECT_FALSE(MatchOption(L"", L""));
}

TEST(CommandLine, NothingOrOnlyStrayTokensLeaveTheRecordCleared) {
  EXPECT_TRUE(IsCleared(Parse({})));
  EXPECT_TRUE(IsCleared(Parse({L"/x", L"x", L"/", L"-", L"", L"/encr", L"/i2", L"//i",
                               L"--help", L"/ofile"})));
}

// Every keyword with either prefix and in any case reaches its field.
TEST(CommandLine, EveryKeywordSetsItsField) {
  const struct {
    const wchar_t* keyword;
    bool (*check)(const SCommandLine&);
  } switches[] = {
      {L"?", [](const SCommandLine& c) { return c.help == 1; }},
      {L"man", [](const SCommandLine& c) { return c.help == 1; }},
      {L"help", [](const SCommandLine& c) { return c.help == 1; }},
      {L"algs", [](const SCommandLine& c) { return c.listAlgorithms == 1; }},
      {L"algorithms", [](const SCommandLine& c) { return c.listAlgorithms == 1; }},
      {L"rewrite", [](const SCommandLine& c) { return c.rewrite == 1; }},
      {L"confirm", [](const SCommandLine& c) { return c.confirm == 1; }},
      {L"usesalt", [](const SCommandLine& c) { return c.useSalt == 1; }},
      {L"enc", [](const SCommandLine& c) { return c.command == 1; }},
      {L"encrypt", [](const SCommandLine& c) { return c.command == 1; }},
      {L"dec", [](const SCommandLine& c) { return c.command == 2; }},
      {L"decrypt", [](const SCommandLine& c) { return c.command == 2; }},
      {L"i", [](const SCommandLine& c) { return c.inputFile == L"v"; }},
      {L"ifile", [](const SCommandLine& c) { return c.inputFile == L"v"; }},
      {L"inputfile", [](const SCommandLine& c) { return c.inputFile == L"v"; }},
      {L"o", [](const SCommandLine& c) { return c.outputFile == L"v"; }},
      {L"ofile", [](const SCommandLine& c) { return c.outputFile == L"v"; }},
      {L"outputfile", [](const SCommandLine& c) { return c.outputFile == L"v"; }},
      {L"a", [](const SCommandLine& c) { return c.algorithm == L"v"; }},
      {L"alg", [](const SCommandLine& c) { return c.algorithm == L"v"; }},
      {L"algorithm", [](const SCommandLine& c) { return c.algorithm == L"v"; }},
      {L"psw", [](const SCommandLine& c) { return c.password == L"v"; }},
      {L"password", [](const SCommandLine& c) { return c.password == L"v"; }},
      {L"locale", [](const SCommandLine& c) { return c.locale == L"v"; }},
  };
  for (const auto& s : switches) {
    std::wstring upper = s.keyword;
    for (wchar_t& ch : upper) ch = static_cast<wchar_t>(std::towupper(ch));
    for (const std::wstring& token : {L"/" + std::wstring(s.keyword), L"-" + upper}) {
      EXPECT_TRUE(s.check(Parse({token, L"v"}))) << std::string(token.begin(), token.end());
    }
  }
}

TEST(CommandLine, TypicalCommandLines) {
  SCommandLine c = Parse({L"/encrypt", L"/i", L"in.txt", L"/a", L"AES-256"});
  EXPECT_EQ(c.command, 1u);
  EXPECT_EQ(c.inputFile, L"in.txt");
  EXPECT_EQ(c.algorithm, L"AES-256");
  c.command = 0, c.inputFile.clear(), c.algorithm.clear();
  EXPECT_TRUE(IsCleared(c));

  c = Parse({L"-DEC", L"-I", L"in.txt.enc"});
  EXPECT_EQ(c.command, 2u);
  EXPECT_EQ(c.inputFile, L"in.txt.enc");
}

TEST(CommandLine, LaterTokensWin) {
  EXPECT_EQ(Parse({L"/i", L"a.txt", L"/i", L"b.txt"}).inputFile, L"b.txt");
  EXPECT_EQ(Parse({L"/enc", L"/dec"}).command, 2u);
  EXPECT_EQ(Parse({L"/dec", L"/enc"}).command, 1u);
  // An empty token is a value too, and replaces the earlier one.
  EXPECT_EQ(Parse({L"/psw", L"old", L"/psw", L""}).password, L"");
}

// A value may begin with '/' or '-' (absolute paths, passwords); only one of
// the options ends a value option without a value.
TEST(CommandLine, ValueOptionsTakeAnyTokenButAnOption) {
  EXPECT_EQ(Parse({L"/ifile", L"/home/me/a.txt"}).inputFile, L"/home/me/a.txt");
  EXPECT_EQ(Parse({L"/psw", L"-x1"}).password, L"-x1");
  EXPECT_EQ(Parse({L"/o", L"-"}).outputFile, L"-");
  EXPECT_EQ(Parse({L"/locale", L"/tmp"}).locale, L"/tmp");
  EXPECT_EQ(Parse({L"/i", L"/encr"}).inputFile, L"/encr");

  SCommandLine c = Parse({L"/password", L"/rewrite"});
  EXPECT_EQ(c.password, L"");
  EXPECT_EQ(c.rewrite, 1);

  c = Parse({L"/i", L"/O", L"out"});
  EXPECT_EQ(c.inputFile, L"");
  EXPECT_EQ(c.outputFile, L"out");

  c = Parse({L"/a", L"-Algs"});
  EXPECT_EQ(c.algorithm, L"");
  EXPECT_EQ(c.listAlgorithms, 1);
}

TEST(CommandLine, KeywordsMatchUnderATurkishLocale) {
  const std::locale saved;
  ASSERT_NO_THROW(std::locale::global(std::locale("tr_TR.UTF-8")));
  const SCommandLine c = Parse({L"/I", L"in", L"-INPUTFILE", L"in2", L"/ALGORITHMS", L"/HELP"});
  std::locale::global(saved);
  EXPECT_EQ(c.inputFile, L"in2");
  EXPECT_EQ(c.listAlgorithms, 1);
  EXPECT_EQ(c.help, 1);
}

}  // namespace
