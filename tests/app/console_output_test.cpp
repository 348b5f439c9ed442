// Everything the program shows on the console, word for word: the texts
// before any job and the progress line. The banner, the job header and the
// closing lines are checked by the end-to-end suite.
#include "app/console_output.h"

#include <cctype>
#include <cmath>
#include <locale>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/platform/platform.h"
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

// The whole text, character for character.
TEST(ConsoleOutput, HelpText) {
  EXPECT_EQ(qmtest::CoutOf(PrintHelp), qmtest::ReadFile(qmtest::VectorsDir() + "/help.txt"));
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
  for (const qmtest::CatalogueRow& row : qmtest::Catalogue()) {
    std::string line = row.name;
    line.resize(19, ' ');
    line += "Key size: " + std::to_string(row.key) + ". IV size: " + std::to_string(row.iv) + ". ";
    line += row.block ? "Cipher mode: CBC. " : "Stream cipher. ";
    const char* const bits[] = {"224", "256", "384", "512"};
    want.push_back(line + "Hash function: SHA3-" + bits[row.hash - 20]);
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
    EXPECT_EQ(qmtest::CoutOf([&] { PrintProgress(percent); }),
              kBlank + "\rProgress: " + shown + "%")
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

}  // namespace
}  // namespace thisapp
