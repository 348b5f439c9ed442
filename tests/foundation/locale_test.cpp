#include <clocale>
#include <cstdio>
#include <locale>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "foundation/platform/locale.h"
#include "foundation/platform/strings.h"

namespace tarnwick::platform {
namespace {

// Every test leaves the global locale (C++ and C) as it found it.
class GlobalLocale : public ::testing::Test {
 protected:
  void TearDown() override { std::locale::global(saved_); }

  static std::string CLocale() { return std::setlocale(LC_ALL, nullptr); }
  static std::string Printed(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
  }

 private:
  const std::locale saved_;
};

TEST_F(GlobalLocale, CountryNamesMapToUtf8Locales) {
  const struct {
    const char* name;
    const char* locale;
  } cases[] = {{"aus", "en_AU.UTF-8"},      {"australia", "en_AU.UTF-8"},
               {"deu", "de_DE.UTF-8"},      {"GERMANY", "de_DE.UTF-8"},
               {"che", "de_CH.UTF-8"},      {"Switzerland", "de_CH.UTF-8"},
               {"tur", "tr_TR.UTF-8"},      {"usa", "en_US.UTF-8"},
               {"pr-china", "zh_CN.UTF-8"}, {"hong-kong", "zh_HK.UTF-8"},
               {"ISL", "is_IS.UTF-8"},      {"gbr", "en_GB.UTF-8"}};
  for (const auto& c : cases) EXPECT_EQ(MapLocaleName(c.name), c.locale) << c.name;
  // Anything else is passed on as it is.
  for (const char* name : {"de_DE.UTF-8", "C", "", "deutsch", "de", "deu "}) {
    EXPECT_EQ(MapLocaleName(name), name);
  }
}

TEST_F(GlobalLocale, SettingALocaleSetsTheCLibraryLocaleToo) {
  ASSERT_NO_THROW(SetGlobalLocale("deu"));
  EXPECT_EQ(std::locale().name(), "de_DE.UTF-8");
  EXPECT_EQ(CLocale(), "de_DE.UTF-8");
  EXPECT_EQ(Printed(42.5), "42,5");

  ASSERT_NO_THROW(SetGlobalLocale("en_US.UTF-8"));
  EXPECT_EQ(CLocale(), "en_US.UTF-8");
  EXPECT_EQ(Printed(42.5), "42.5");
}

TEST_F(GlobalLocale, UnknownLocaleThrowsAndKeepsTheCurrentOne) {
  ASSERT_NO_THROW(SetGlobalLocale("aus"));
  EXPECT_THROW(SetGlobalLocale("nosuch"), std::runtime_error);
  EXPECT_THROW(SetGlobalLocale("xx_YY.UTF-8"), std::runtime_error);
  EXPECT_EQ(CLocale(), "en_AU.UTF-8");
}

TEST_F(GlobalLocale, UserDefaultComesFromTheEnvironment) {
  ASSERT_EQ(setenv("LC_ALL", "de_CH.UTF-8", 1), 0);
  EXPECT_NO_THROW(SetUserDefaultLocale());
  EXPECT_EQ(CLocale(), "de_CH.UTF-8");
  ASSERT_EQ(setenv("LC_ALL", "xx_YY.nosuch", 1), 0);
  EXPECT_THROW(SetUserDefaultLocale(), std::runtime_error);
  ASSERT_EQ(unsetenv("LC_ALL"), 0);
}

// ASCII letters fold by ASCII rules even where the C library folds 'I' to a
// dotless i; other letters fold by the locale.
TEST_F(GlobalLocale, CaseInsensitiveComparisonUnderTurkish) {
  ASSERT_NO_THROW(SetGlobalLocale("tur"));
  EXPECT_EQ(CompareNoCase(L"INPUTFILE", L"inputfile"), 0);
  EXPECT_EQ(CompareNoCase(L"/I", L"/i"), 0);
  EXPECT_EQ(CompareNoCase(L"\u00C7\u00D6\u00DC", L"\u00E7\u00F6\u00FC"), 0);
  EXPECT_NE(CompareNoCase(L"\u0131", L"i"), 0);
  EXPECT_LT(CompareNoCase(L"abc", L"ABD"), 0);
  EXPECT_GT(CompareNoCase(L"abcd", L"ABC"), 0);
  EXPECT_LT(CompareNoCase(L"", L"a"), 0);
}

}  // namespace
}  // namespace tarnwick::platform
