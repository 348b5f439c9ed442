#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/info_output.h"
#include "foundation/platform/locale.h"
#include "tests/cryptopp/catalogue_rows.h"
#include "tests/support/capture.h"

namespace thisapp {
namespace {

// What the printer writes to std::cout, line by line.
std::vector<std::string> Lines(void (*printer)()) {
  std::istringstream in(qmtest::CoutOf(printer));
  EXPECT_EQ(in.str().back(), '\n');
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(InfoOutput, Banner) {
  const std::vector<std::string> lines = Lines(PrintBanner);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "Quellmark Version 2.0.3.125");
  EXPECT_EQ(lines[1].rfind("Copyright", 0), 0u);
  EXPECT_NE(lines[2].find("example.com"), std::string::npos);
  EXPECT_EQ(lines[3], "");
}

TEST(InfoOutput, HelpText) {
  const std::vector<std::string> lines = Lines(PrintHelp);
  ASSERT_EQ(lines.size(), 59u);
  for (size_t n : {3, 6, 9, 12, 37, 47, 56}) EXPECT_EQ(lines[n - 1], "") << n;
  const std::pair<size_t, const char*> exact[] = {
      {2, "/encrypt /ifile <input file> [/ofile <output file>] /alg <algorithm> "
          "[/password <password>] [/rewrite [/confirm]] [/usesalt] [/locale <locale>]"},
      {26, "Use \"/?\", \"/help\" or \"/man\" to show this help."},
      {46, "    7 - failed to encrypt/decrypt"},
      {51, "    Quellmark /encrypt /ifile \"c:\\plans.doc\" /ofile \"d:\\plans.doc.enc\" "
           "/alg aes-256"},
      {55, "    Quellmark /decrypt /ifile \"d:\\plans.doc.enc\" /ofile \"c:\\plans.doc\" "
           "/alg aes-256 /rewrite"}};
  for (const auto& [n, text] : exact) EXPECT_EQ(lines[n - 1], text) << n;
  // 52 adds a password of digits to 51, 53 two switches to 52.
  ASSERT_EQ(lines[51].rfind(lines[50] + " /psw \"", 0), 0u);
  const std::string password = lines[51].substr(lines[50].size() + 7);
  EXPECT_EQ(password.find_first_not_of("0123456789"), password.size() - 1);
  EXPECT_EQ(lines[52], lines[51] + " /rewrite /usesalt");
  EXPECT_EQ(lines[58].rfind("Bramblecase - other encryption program (with UI) from ", 0), 0u);
  EXPECT_EQ(lines[58].substr(lines[58].size() - 12), "example.com.");
}

// Every country name the help offers reaches a UTF-8 locale.
TEST(InfoOutput, EveryHelpCountryNameHasALocale) {
  const std::vector<std::string> lines = Lines(PrintHelp);
  std::string names = lines[17].substr(lines[17].find("example:") + 8);
  for (size_t n = 19; n <= 23; ++n) names += " " + lines[n - 1];
  for (char& c : names) c = (c == '(' || c == ')' || c == ',' || c == '.') ? ' ' : c;
  std::istringstream words(names);
  int count = 0;
  for (std::string name; words >> name;) {
    if (name == "or") continue;
    ++count;
    const std::string locale = tarnwick::platform::MapLocaleName(name);
    EXPECT_EQ(locale.size() - locale.rfind(".UTF-8"), 6u) << name << " -> " << locale;
  }
  EXPECT_EQ(count, 71);
}

TEST(InfoOutput, AlgorithmListShowsEveryRowInCatalogueOrder) {
  std::vector<std::string> want = {
      "The list of supported encryption algorithms:", "", "Name               Description",
      "-------            ----------------------------------------------------"};
  for (const qmtest::CatalogueRow& row : qmtest::kCatalogue) {
    std::string line = row.name;
    line.resize(19, ' ');
    line += "Key size: " + std::to_string(row.key) + ". IV size: " + std::to_string(row.iv) + ". ";
    line += row.block ? "Cipher mode: CBC. " : "Stream cipher. ";
    want.push_back(line + "Hash function: " + qmtest::HashNameOf(row.hash));
  }
  EXPECT_EQ(Lines(PrintAlgorithmList), want);
  EXPECT_EQ(want[13],
            "AES-256            Key size: 32. IV size: 16. Cipher mode: CBC. Hash function: SHA3-256");
}

}  // namespace
}  // namespace thisapp
