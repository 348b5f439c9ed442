#include "app/err_msg.h"

#include "foundation/err/err_text.h"
#include "foundation/gen/result.h"

namespace thisapp {

bool CErrMsg::Describe(uint32_t kind, uint32_t code, std::wstring& text) const {
  if (kind != tarnwick::gen::kKindSystem) return false;
  text = tarnwick::err::GetSystemErrorText(code);
  return true;
}

}  // namespace thisapp
