// Everything the program shows on the console, word for word: the texts
// before any job, the job header and the progress line. The closing lines
// are checked by the end-to-end suite.
#include "app/console_output.h"

#include <cctype>
#include <cmath>
#include <locale>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cryptopp/alg_info.h"
#include "foundation/platform/platform.h"
#include "tests/cryptopp/catalogue_rows.h"
#include "tests/support/run_program.h"

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

TEST(ConsoleOutput, Banner) {
  EXPECT_EQ(qmtest::CoutOf(PrintBanner),
            "Quellmark Version 2.0.3.125\nCopyright (c) 2009-2014 Vellumor. All rights reserved.\n"
            "Home page: https://vellumor.example.com\n\n");
}

// The whole text, character for character.
TEST(ConsoleOutput, HelpText) {
  const char* const kHelp =
      "Command line to encrypt file:\n"
      "/encrypt /ifile <input file> [/ofile <output file>] /alg <algorithm> [/password <password>] [/rewrite [/confirm]] [/usesalt] [/locale <locale>]\n"
      "\n"
      "Command line to decrypt file:\n"
      "/decrypt /ifile <input file> [/ofile <output file>] /alg <algorithm> [/password <password>] [/rewrite [/confirm]] [/locale <locale>]\n"
      "\n"
      "Command line to view the list of supported encryption algorithms:\n"
      "/algorithms\n"
      "\n"
      "Command line to view help:\n"
      "/help\n"
      "\n"
      "Where\n"
      "    <input file>  - input file to encrypt/decrypt;\n"
      "    <output file> - output file;\n"
      "    <password>    - password (empty password will be used if password not defined);\n"
      "    <algorithm>   - the name of the encryption algorithm (use '/algs' to view the list of supported algorithms);\n"
      "    <locale>      - Country/Region. For example: aus (or australia), aut (austria), bel (belgium),\n"
      "                    bra (brazil), can (canada), china (chn, pr-china), cze (czech), dnk (denmark), fin (finland),\n"
      "                    fra (france), deu (germany), grc (greece), hkg (hong-kong), hun (hungary), iceland (isl),\n"
      "                    irl (ireland), ita (italy), jpn (japan), kor (korea), mex (mexico), nld (holland), nzl (new-zealand),\n"
      "                    nor (norway), pol (poland), prt (portugal), rus (russia), sgp (singapore), svk (slovak), esp (spain),\n"
      "                    swe (sweden), che (switzerland), twn (taiwan), tur (turkey), gbr (england), usa (america).\n"
      "Use \"/rewrite\" to rewrite existing output file automatically.\n"
      "Use \"/confirm\" to confirm the rewriting of the existing output file.\n"
      "Use \"/?\", \"/help\" or \"/man\" to show this help.\n"
      "You can use\n"
      "    \"/enc\" instead of command \"/encrypt\",\n"
      "    \"/dec\" instead of \"/decrypt\",\n"
      "    \"/psw\" instead of \"/password\",\n"
      "    \"/a\" or \"/algorithm\" instead of \"/alg\",\n"
      "    \"/i\" or \"/inputfile\" instead of \"/ifile\",\n"
      "    \"/o\" or \"/outputfile\" instead of \"/ofile\",\n"
      "    \"/algs\" instead of \"/algorithms\".\n"
      "If output file not defined the program will try to create output file in the same folder where is the input file.\n"
      "In this case program adds \".enc\" (for encrypted file and \".dec\" for decrypted file) suffix into the name of the output file.\n"
      "\n"
      "Return values:\n"
      "    0 - success\n"
      "    1 - invalid command line\n"
      "    2 - input file not defined\n"
      "    3 - input file not found\n"
      "    4 - undefined algorithm\n"
      "    5 - invalid algorithm\n"
      "    6 - output file already exists\n"
      "    7 - failed to encrypt/decrypt\n"
      "\n"
      "Examples:\n"
      "    Quellmark /algs\n"
      "    Quellmark /help\n"
      "    Quellmark /encrypt /ifile \"c:\\plans.doc\" /ofile \"d:\\plans.doc.enc\" /alg aes-256\n"
      "    Quellmark /encrypt /ifile \"c:\\plans.doc\" /ofile \"d:\\plans.doc.enc\" /alg aes-256 /psw \"12345\"\n"
      "    Quellmark /encrypt /ifile \"c:\\plans.doc\" /ofile \"d:\\plans.doc.enc\" /alg aes-256 /psw \"12345\" /rewrite /usesalt\n"
      "    Quellmark /decrypt /ifile \"d:\\plans.doc.enc\" /ofile \"c:\\plans.doc\" /alg aes-256\n"
      "    Quellmark /decrypt /ifile \"d:\\plans.doc.enc\" /ofile \"c:\\plans.doc\" /alg aes-256 /rewrite\n"
      "\n"
      "All files encrypted by Quellmark can be decrypted by Bramblecase (also on Mac OS and Linux), only use same algorithm and password.\n"
      "All files encrypted by Bramblecase can be decrypted by Quellmark, only use same algorithm and password.\n"
      "Bramblecase - other encryption program (with UI) from https://vellumor.example.com.\n";
  EXPECT_EQ(qmtest::CoutOf(PrintHelp), kHelp);
}

// Each country name of the help text maps to its country's locale: the
// group's three-letter name is the country_ab3 of that locale's source in
// /usr/share/i18n/locales, and every other name of the group maps alike.
TEST(ConsoleOutput, EveryHelpCountryNameMapsToItsCountrysLocale) {
  const std::vector<std::string> lines = Lines(PrintHelp);
  std::string text = lines[17].substr(lines[17].find("example:") + 8);
  for (size_t n = 18; n <= 22; ++n) text += lines[n];
  const std::regex group(R"(([a-z-]+) \((?:or )?([^)]*)\))");
  const std::regex ab3(R"re(country_ab3\s+"([A-Z]+)")re");
  size_t names = 0;
  for (std::sregex_iterator it(text.begin(), text.end(), group), end; it != end; ++it) {
    std::vector<std::string> group = {(*it)[1]};
    std::istringstream others((*it)[2].str());
    for (std::string name; std::getline(others >> std::ws, name, ',');) group.push_back(name);
    const std::string locale = tarnwick::platform::MapLocaleName(group[0]);
    std::string country;
    for (const std::string& name : group) {
      EXPECT_EQ(tarnwick::platform::MapLocaleName(name), locale) << name;
      if (name.size() == 3) country = name;
    }
    for (char& c : country) c = static_cast<char>(std::toupper(c));
    const std::string source =
        qmtest::ReadFile("/usr/share/i18n/locales/" + locale.substr(0, locale.find('.')));
    std::smatch found;
    EXPECT_TRUE(std::regex_search(source, found, ab3) && found[1] == country) << group[0];
    names += group.size();
  }
  EXPECT_EQ(names, 71u);
}

TEST(ConsoleOutput, AlgorithmListShowsEveryRowInCatalogueOrder) {
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
}

const std::string kBlank = "\rProgress:              ";

TEST(ConsoleOutput, ProgressBlanksTheLineThenShowsTheClampedValueInTheLocalesForm) {
  const std::pair<double, std::string> cases[] = {
      {-5.0, "  0.000"}, {42.5, " 42.500"}, {250.0, "100.000"},
      {std::nan(""), "  0.000"},  // a broken percentage must not print as "nan"
  };
  for (const auto& [percent, shown] : cases) {
    EXPECT_EQ(qmtest::CoutOf([&] { PrintProgress(percent); }), kBlank + "\rProgress: " + shown + "%")
        << percent;
  }
  // The decimal mark is the global locale's.
  std::locale german;
  try {
    german = std::locale("de_DE.UTF-8");
  } catch (const std::runtime_error&) {
    GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  }
  const std::locale previous = std::locale::global(german);
  const std::string shown = qmtest::CoutOf([] { PrintProgress(42.5); });
  std::locale::global(previous);
  EXPECT_EQ(shown, kBlank + "\rProgress:  42,500%");
}

TEST(ConsoleOutput, HeaderPadsLabelsAndWritesPathBytesAsTheyAre) {
  const auto aes = tarnwick::cryptopp::FindAlgorithmByName(L"AES-256");
  // U+DCFF stands for the byte 0xFF of a file name that is no UTF-8.
  EXPECT_EQ(qmtest::CoutOf([&] {
              PrintJobHeader(false, aes, L"/in/\xDCFF-\u00E9.txt", L"/out/a b.txt.dec");
            }),
            "File decryption.\n"
            "Input file:        /in/\xFF-\xC3\xA9.txt\n"
            "Output file:       /out/a b.txt.dec\n"
            "Algorithm:         AES-256\n");
}

}  // namespace
}  // namespace thisapp
