#include "foundation/err/err_msg_builder.h"

#include <sstream>

#include "foundation/err/format_codes.h"
#include "foundation/err/trim.h"

namespace tarnwick::err::internal {

void CErrMsgBuilder<wchar_t>::BuildErrorText(const std::wstring& defaultText,
                                             const gen::Result& p1, const gen::Result& p2,
                                             const gen::Result& p3, std::wstring& out) const {
  if (p1.code == 0 && p2.code == 0 && p3.code == 0) {
    out.clear();
    return;
  }
  // One text variable for every call: a pair that declines leaves it as
  // the previous answer left it.
  std::wstring text;
  std::wstring description;
  for (const gen::Result* p : {&p1, &p2, &p3}) {
    if (p->code == 0 || !Describe(p->kind, p->code, text)) continue;
    TrimSpaces(text);
    if (!text.empty()) {
      description = text;
      break;
    }
  }
  if (description.empty()) {
    description = defaultText;
    TrimSpaces(description);
  }
  std::wostringstream line;
  if (!description.empty()) line << description << L' ';
  line << L"(error: " << FormatErrorCodes(p1, p2, p3) << L')';
  out = line.str();
}

std::wstring CErrMsgBuilder<wchar_t>::GetErrorText(const gen::Result2& r) const {
  std::wstring out;
  BuildErrorText(std::wstring(), {r.kind, r.code}, {r.ctxKind, r.ctxCode}, {}, out);
  return out;
}

std::wstring CErrMsgBuilder<wchar_t>::GetErrorText(const gen::Result& r) const {
  std::wstring out;
  BuildErrorText(std::wstring(), r, {}, {}, out);
  return out;
}

}  // namespace tarnwick::err::internal
