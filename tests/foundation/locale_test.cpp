#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <locale>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "foundation/platform/platform.h"

namespace tarnwick::platform {
namespace {

// Each test leaves the global locale (C++ and C) as it found it.
class GlobalLocale : public ::testing::Test {
 protected:
  void TearDown() override { std::locale::global(saved_); }

  // The C library's locale name and its printf form of 42.5.
  static std::string CState() {
    char number[16];
    std::snprintf(number, sizeof number, "%.1f", 42.5);
    return std::string(std::setlocale(LC_ALL, nullptr)) + " " + number;
  }

 private:
  const std::locale saved_;
};

TEST_F(GlobalLocale, CountryNamesMapToUtf8Locales) {
  const std::pair<const char*, const char*> cases[] = {
      {"aus", "en_AU.UTF-8"}, {"GERMANY", "de_DE.UTF-8"}, {"che", "de_CH.UTF-8"},
      {"tur", "tr_TR.UTF-8"}, {"deu ", "deu "},  // anything else passes as it is
      {"de_DE.UTF-8", "de_DE.UTF-8"}, {"", ""}};
  for (const auto& [name, locale] : cases) EXPECT_EQ(MapLocaleName(name), locale) << name;
}

TEST_F(GlobalLocale, SettingALocaleSetsTheCLibraryLocaleToo) {
  ASSERT_NO_THROW(SetGlobalLocale("deu"));
  EXPECT_EQ(std::locale().name(), "de_DE.UTF-8");
  EXPECT_EQ(CState(), "de_DE.UTF-8 42,5");
  ASSERT_NO_THROW(SetGlobalLocale("en_US.UTF-8"));
  EXPECT_EQ(CState(), "en_US.UTF-8 42.5");
  // A locale that is not installed changes nothing.
  EXPECT_THROW(SetGlobalLocale("nosuch"), std::runtime_error);
  EXPECT_EQ(CState(), "en_US.UTF-8 42.5");
}

TEST_F(GlobalLocale, UserDefaultComesFromTheEnvironment) {
  ASSERT_EQ(setenv("LC_ALL", "de_CH.UTF-8", 1), 0);
  EXPECT_NO_THROW(SetUserDefaultLocale());
  EXPECT_EQ(CState(), "de_CH.UTF-8 42.5");
  ASSERT_EQ(setenv("LC_ALL", "xx_YY.UTF-8", 1), 0);
  EXPECT_THROW(SetUserDefaultLocale(), std::runtime_error);
  ASSERT_EQ(unsetenv("LC_ALL"), 0);
}

// ASCII letters fold by ASCII rules, though Turkish folds 'I' to a dotless
// i; other letters fold by the locale.
TEST_F(GlobalLocale, CaseInsensitiveComparisonUnderTurkish) {
  ASSERT_NO_THROW(SetGlobalLocale("tur"));
  EXPECT_EQ(CompareNoCase(L"/INPUTFILE", L"/inputfile"), 0);
  EXPECT_EQ(CompareNoCase(L"\u00C7\u00D6", L"\u00E7\u00F6"), 0);
  EXPECT_NE(CompareNoCase(L"\u0131", L"i"), 0);
  EXPECT_LT(CompareNoCase(L"abc", L"ABD"), 0);
  EXPECT_LT(CompareNoCase(L"ABC", L"abcd"), 0);
}

}  // namespace
}  // namespace tarnwick::platform
