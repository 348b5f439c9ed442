#include "foundation/err/utf8.h"

#include "foundation/platform/text.h"

namespace tarnwick::err {

std::string WideToUtf8(const std::wstring& s) { return platform::EncodeSystemText(s); }

}  // namespace tarnwick::err
