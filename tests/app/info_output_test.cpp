#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/info_output.h"
#include "foundation/platform/locale.h"
#include "tests/cryptopp/catalogue_rows.h"

namespace thisapp {
namespace {

// Everything the printer writes to std::cout, split into lines.
std::vector<std::string> Lines(void (*printer)()) {
  std::ostringstream captured;
  std::streambuf* const saved = std::cout.rdbuf(captured.rdbuf());
  printer();
  std::cout.rdbuf(saved);
  const std::string text = captured.str();
  EXPECT_FALSE(text.empty());
  EXPECT_EQ(text.back(), '\n');
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(InfoOutput, BannerHasFourLines) {
  const std::vector<std::string> lines = Lines(PrintBanner);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "Quellmark Version 2.0.3.125");
  EXPECT_NE(lines[1].find("Copyright"), std::string::npos);
  EXPECT_NE(lines[1].find("Vellumor"), std::string::npos);
  EXPECT_NE(lines[2].find("example.com"), std::string::npos);
  EXPECT_EQ(lines[3], "");
}

TEST(InfoOutput, HelpLinesStandWhereUsersLookForThem) {
  const std::vector<std::string> lines = Lines(PrintHelp);
  ASSERT_EQ(lines.size(), 59u);
  for (size_t n = 1; n <= lines.size(); ++n) {
    const bool blank = n == 3 || n == 6 || n == 9 || n == 12 || n == 37 || n == 47 || n == 56;
    EXPECT_EQ(lines[n - 1].empty(), blank) << "line " << n;
  }
  const struct {
    size_t n;
    const char* text;
  } exact[] = {
      {1, "Command line to encrypt file:"},
      {2, "/encrypt /ifile <input file> [/ofile <output file>] /alg <algorithm> "
          "[/password <password>] [/rewrite [/confirm]] [/usesalt] [/locale <locale>]"},
      {5, "/decrypt /ifile <input file> [/ofile <output file>] /alg <algorithm> "
          "[/password <password>] [/rewrite [/confirm]] [/locale <locale>]"},
      {8, "/algorithms"},
      {11, "/help"},
      {23, "                    swe (sweden), che (switzerland), twn (taiwan), tur (turkey), "
           "gbr (england), usa (america)."},
      {26, "Use \"/?\", \"/help\" or \"/man\" to show this help."},
      {36, "In this case program adds \".enc\" (for encrypted file and \".dec\" for decrypted "
           "file) suffix into the name of the output file."},
      {38, "Return values:"},
      {39, "    0 - success"},
      {46, "    7 - failed to encrypt/decrypt"},
      {51, "    Quellmark /encrypt /ifile \"c:\\plans.doc\" /ofile \"d:\\plans.doc.enc\" "
           "/alg aes-256"},
      {54, "    Quellmark /decrypt /ifile \"d:\\plans.doc.enc\" /ofile \"c:\\plans.doc\" "
           "/alg aes-256"},
      {55, "    Quellmark /decrypt /ifile \"d:\\plans.doc.enc\" /ofile \"c:\\plans.doc\" "
           "/alg aes-256 /rewrite"},
  };
  for (const auto& e : exact) EXPECT_EQ(lines[e.n - 1], e.text) << "line " << e.n;

  // 52 adds a password of digits to 51, 53 adds two switches to 52.
  ASSERT_EQ(lines[51].rfind(lines[50] + " /psw \"", 0), 0u);
  const std::string password = lines[51].substr(lines[50].size() + 7);
  ASSERT_GE(password.size(), 2u);
  EXPECT_EQ(password.back(), '"');
  EXPECT_EQ(password.find_first_not_of("0123456789"), password.size() - 1);
  EXPECT_EQ(lines[52], lines[51] + " /rewrite /usesalt");

  const std::string sibling = "Bramblecase - other encryption program (with UI) from ";
  ASSERT_EQ(lines[58].rfind(sibling, 0), 0u);
  EXPECT_NE(lines[58].find("example.com"), std::string::npos);
  EXPECT_EQ(lines[58].back(), '.');
}

// Every country name the help offers reaches a real locale name.
TEST(InfoOutput, EveryHelpCountryNameMapsToAUtf8Locale) {
  const std::vector<std::string> lines = Lines(PrintHelp);
  ASSERT_GE(lines.size(), 23u);
  std::string names = lines[17].substr(lines[17].find("example:") + 8);
  for (size_t n = 19; n <= 23; ++n) names += " " + lines[n - 1];
  for (char& c : names) {
    if (c == '(' || c == ')' || c == ',' || c == '.') c = ' ';
  }
  std::istringstream words(names);
  int count = 0;
  for (std::string name; words >> name;) {
    if (name == "or") continue;
    ++count;
    const std::string mapped = tarnwick::platform::MapLocaleName(name);
    EXPECT_EQ(mapped.size() - mapped.rfind(".UTF-8"), 6u) << name << " -> " << mapped;
  }
  EXPECT_EQ(count, 71);
}

TEST(InfoOutput, AlgorithmListShowsEveryRowInCatalogueOrder) {
  std::vector<std::string> want = {
      "The list of supported encryption algorithms:", "",
      "Name               Description",
      "-------            ----------------------------------------------------"};
  for (const qmtest::CatalogueRow& row : qmtest::kCatalogue) {
    std::string line = row.name;
    line.resize(19, ' ');
    line += "Key size: " + std::to_string(row.key) + ". IV size: " + std::to_string(row.iv) + ". ";
    line += row.block ? "Cipher mode: CBC. " : "Stream cipher. ";
    line += std::string("Hash function: ") + qmtest::HashNameOf(row.hash);
    want.push_back(line);
  }
  const std::vector<std::string> lines = Lines(PrintAlgorithmList);
  EXPECT_EQ(lines, want);
  ASSERT_EQ(lines.size(), 58u);
  EXPECT_EQ(lines[13], "AES-256            Key size: 32. IV size: 16. Cipher mode: CBC. "
                       "Hash function: SHA3-256");
  EXPECT_EQ(lines[8], "Salsa20-128        Key size: 16. IV size: 8. Stream cipher. "
                      "Hash function: SHA3-224");
}

}  // namespace
}  // namespace thisapp
