#include "foundation/platform/locale.h"

#include <locale>

namespace tarnwick::platform {
namespace {

struct CountryLocale {
  const char* name;
  const char* locale;
};

// Each country takes the language its name stood for in the help text's
// original setting (Belgium Dutch, Singapore Chinese, Norway Bokmål).
// clang-format off
constexpr CountryLocale kCountries[] = {
    {"aus", "en_AU.UTF-8"},         {"australia", "en_AU.UTF-8"},
    {"aut", "de_AT.UTF-8"},         {"austria", "de_AT.UTF-8"},
    {"bel", "nl_BE.UTF-8"},         {"belgium", "nl_BE.UTF-8"},
    {"bra", "pt_BR.UTF-8"},         {"brazil", "pt_BR.UTF-8"},
    {"can", "en_CA.UTF-8"},         {"canada", "en_CA.UTF-8"},
    {"china", "zh_CN.UTF-8"},       {"chn", "zh_CN.UTF-8"},
    {"pr-china", "zh_CN.UTF-8"},    {"cze", "cs_CZ.UTF-8"},
    {"czech", "cs_CZ.UTF-8"},       {"dnk", "da_DK.UTF-8"},
    {"denmark", "da_DK.UTF-8"},     {"fin", "fi_FI.UTF-8"},
    {"finland", "fi_FI.UTF-8"},     {"fra", "fr_FR.UTF-8"},
    {"france", "fr_FR.UTF-8"},      {"deu", "de_DE.UTF-8"},
    {"germany", "de_DE.UTF-8"},     {"grc", "el_GR.UTF-8"},
    {"greece", "el_GR.UTF-8"},      {"hkg", "zh_HK.UTF-8"},
    {"hong-kong", "zh_HK.UTF-8"},   {"hun", "hu_HU.UTF-8"},
    {"hungary", "hu_HU.UTF-8"},     {"iceland", "is_IS.UTF-8"},
    {"isl", "is_IS.UTF-8"},         {"irl", "en_IE.UTF-8"},
    {"ireland", "en_IE.UTF-8"},     {"ita", "it_IT.UTF-8"},
    {"italy", "it_IT.UTF-8"},       {"jpn", "ja_JP.UTF-8"},
    {"japan", "ja_JP.UTF-8"},       {"kor", "ko_KR.UTF-8"},
    {"korea", "ko_KR.UTF-8"},       {"mex", "es_MX.UTF-8"},
    {"mexico", "es_MX.UTF-8"},      {"nld", "nl_NL.UTF-8"},
    {"holland", "nl_NL.UTF-8"},     {"nzl", "en_NZ.UTF-8"},
    {"new-zealand", "en_NZ.UTF-8"}, {"nor", "nb_NO.UTF-8"},
    {"norway", "nb_NO.UTF-8"},      {"pol", "pl_PL.UTF-8"},
    {"poland", "pl_PL.UTF-8"},      {"prt", "pt_PT.UTF-8"},
    {"portugal", "pt_PT.UTF-8"},    {"rus", "ru_RU.UTF-8"},
    {"russia", "ru_RU.UTF-8"},      {"sgp", "zh_SG.UTF-8"},
    {"singapore", "zh_SG.UTF-8"},   {"svk", "sk_SK.UTF-8"},
    {"slovak", "sk_SK.UTF-8"},      {"esp", "es_ES.UTF-8"},
    {"spain", "es_ES.UTF-8"},       {"swe", "sv_SE.UTF-8"},
    {"sweden", "sv_SE.UTF-8"},      {"che", "de_CH.UTF-8"},
    {"switzerland", "de_CH.UTF-8"}, {"twn", "zh_TW.UTF-8"},
    {"taiwan", "zh_TW.UTF-8"},      {"tur", "tr_TR.UTF-8"},
    {"turkey", "tr_TR.UTF-8"},      {"gbr", "en_GB.UTF-8"},
    {"england", "en_GB.UTF-8"},     {"usa", "en_US.UTF-8"},
    {"america", "en_US.UTF-8"},
};
// clang-format on

// ASCII folding only: the names are ASCII, and the current locale may be
// Turkish, where 'I' does not fold to 'i'.
bool EqualsAsciiNoCase(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    char c = a[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != b[i]) return false;
  }
  return i == a.size() && b[i] == '\0';
}

}  // namespace

void SetUserDefaultLocale() { std::locale::global(std::locale("")); }

std::string MapLocaleName(const std::string& name) {
  for (const CountryLocale& country : kCountries) {
    if (EqualsAsciiNoCase(name, country.name)) return country.locale;
  }
  return name;
}

void SetGlobalLocale(const std::string& name) {
  std::locale::global(std::locale(MapLocaleName(name)));
}

}  // namespace tarnwick::platform
