#include "foundation/platform/text.h"

#include <cstdint>
#include <stdexcept>

namespace tarnwick::platform {
namespace {

constexpr uint32_t kEscapeBase = 0xDC00;  // U+DC80..U+DCFF carry bytes 0x80..0xFF

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length of the valid UTF-8 sequence at the start of `s` and its code
// point, or 0 when the sequence is not valid (overlong, surrogate, beyond
// U+10FFFF, truncated).
size_t DecodeOne(std::string_view s, uint32_t& cp) {
  const auto b0 = static_cast<unsigned char>(s[0]);
  size_t len;
  uint32_t min;
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  } else if ((b0 & 0xE0) == 0xC0) {
    len = 2, cp = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3, cp = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4, cp = b0 & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (s.size() < len) return 0;
  for (size_t i = 1; i < len; ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (!IsContinuation(c)) return 0;
    cp = (cp << 6) | (c & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Appends the bytes of one code point; false when it has none.
bool EncodeOne(std::string& out, uint32_t cp) {
  if (cp >= kEscapeBase + 0x80 && cp <= kEscapeBase + 0xFF) {
    out.push_back(static_cast<char>(cp - kEscapeBase));
    return true;
  }
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
  AppendUtf8(out, cp);
  return true;
}

}  // namespace

std::wstring DecodeSystemText(std::string_view bytes) {
  std::wstring out;
  out.reserve(bytes.size());
  while (!bytes.empty()) {
    uint32_t cp = 0;
    size_t len = DecodeOne(bytes, cp);
    if (len == 0) {
      cp = kEscapeBase + static_cast<unsigned char>(bytes[0]);
      len = 1;
    }
    out.push_back(static_cast<wchar_t>(cp));
    bytes.remove_prefix(len);
  }
  return out;
}

std::string EncodeSystemText(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t wc : text) {
    if (!EncodeOne(out, static_cast<uint32_t>(wc))) {
      throw std::range_error("wide text holds a code point that UTF-8 cannot carry");
    }
  }
  return out;
}

std::string EncodeSystemTextLossy(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t wc : text) {
    if (!EncodeOne(out, static_cast<uint32_t>(wc))) out.push_back('?');
  }
  return out;
}

}  // namespace tarnwick::platform
