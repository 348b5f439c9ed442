#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "foundation/err/err_text.h"
#include "foundation/platform/platform.h"

namespace tarnwick::platform {
namespace {

TEST(SystemText, ValidUtf8DecodesToCodePoints) {
  EXPECT_EQ(DecodeSystemText("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), L"a\u00E9\u20AC\U0001F600");
  EXPECT_EQ(EncodeSystemText(L"a\u00E9\u20AC\U0001F600"), "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
}

TEST(SystemText, InvalidBytesRoundTripThroughEscapes) {
  // A lone continuation byte, a truncated sequence, an overlong '/', an
  // encoded surrogate and a byte above F4: each byte escapes on its own.
  const std::string bytes = "x\x80y\xC3z\xC0\xAF\xED\xA0\x80\xFF";
  const std::wstring wide = DecodeSystemText(bytes);
  EXPECT_EQ(wide, std::wstring(L"x\xDC80y\xDCC3z\xDCC0\xDCAF\xDCED\xDCA0\xDC80\xDCFF"));
  EXPECT_EQ(EncodeSystemText(wide), bytes);
}

TEST(SystemText, UnencodableCodePointsThrowOrBecomeQuestionMarks) {
  const std::wstring beyond(1, static_cast<wchar_t>(0x110000));
  EXPECT_THROW(EncodeSystemText(beyond), std::range_error);
  EXPECT_THROW(EncodeSystemText(L"\xD800"), std::range_error);
  EXPECT_THROW(tarnwick::err::WideToUtf8(beyond), std::range_error);
  EXPECT_EQ(EncodeSystemTextLossy(L"a" + beyond + L"b"), "a?b");
}

// An argument reaches the program as wide text and its password or file
// name leaves it as the very bytes typed, whatever they are.
TEST(SystemText, EveryByteOfAnArgumentRoundTrips) {
  std::string all;
  for (int b = 1; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(tarnwick::err::WideToUtf8(DecodeSystemText(one)), one) << b;
    all += one;
  }
  const std::string mixed = "p\xE4ss\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80" + all + "\xF0\x9F\x98";
  EXPECT_EQ(tarnwick::err::WideToUtf8(DecodeSystemText(mixed)), mixed);
}

}  // namespace
}  // namespace tarnwick::platform
