#include <locale>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "app/err_msg.h"
#include "foundation/err/err_text.h"

namespace tarnwick::err {
namespace {

using gen::Result2;

struct Composition {
  Result2 record;
  const wchar_t* classic;
  const wchar_t* grouped;  // under en_US.UTF-8
};

const Composition kCompositions[] = {
    {{5, 0, 1, 0}, L"", L""},  // kinds alone make no failure
    {{5, 4004, 5, 4021}, L"(error: 5/4004,5/4021)", L"(error: 5/4,004,5/4,021)"},
    // The description comes from the context pair.
    {{5, 60, 1, 112}, L"Host is down (error: 5/60,1/112)", L"Host is down (error: 5/60,1/112)"},
    {{0, 0, 5, 4002}, L"(error: 0/0,5/4002)", L"(error: 0/0,5/4,002)"},
    // A pair with code 0 is never described; in second place never listed.
    {{1, 0, 5, 7}, L"(error: 1/0,5/7)", L"(error: 1/0,5/7)"},
    {{5, 4006, 1, 0}, L"(error: 5/4006)", L"(error: 5/4,006)"},
    // A number the system has no message for describes nothing, so the
    // next pair's message is taken.
    {{1, 9999, 1, 5}, L"Input/output error (error: 1/9999,1/5)",
     L"Input/output error (error: 1/9,999,1/5)"},
    {{5, 0x80000000u, 0, 0}, L"(error: 5/-2147483648)", L"(error: 5/-2,147,483,648)"},
};

// Classic first: a stream kept from an earlier call would then miss the
// grouping.
TEST(ErrorText, CompositionsUnderTheClassicLocaleAndGroupedUnderEnUs) {
  const thisapp::CErrMsg builder;
  for (const bool grouped : {false, true}) {
    try {
      std::locale::global(grouped ? std::locale("en_US.UTF-8") : std::locale::classic());
    } catch (const std::runtime_error&) {
      GTEST_SKIP() << "locale en_US.UTF-8 is not installed";
    }
    for (const Composition& c : kCompositions) {
      EXPECT_EQ(builder.GetErrorText(c.record), grouped ? c.grouped : c.classic)
          << grouped << " " << c.record.code << "," << c.record.ctxCode;
    }
    EXPECT_EQ(FormatErrorCodesA({5, 4004, 1, 12345}),
              grouped ? "5/4,004,1/12,345" : "5/4004,1/12345");
  }
  std::locale::global(std::locale::classic());
}

}  // namespace
}  // namespace tarnwick::err
