#include <string>
#include <vector>

#include "app/entry.h"
#include "foundation/platform/text.h"

int main(int argc, char* argv[]) {
  std::vector<std::wstring> args;
  args.reserve(static_cast<size_t>(argc));
  for (int i = 0; i < argc; ++i) args.push_back(tarnwick::platform::DecodeSystemText(argv[i]));
  std::vector<wchar_t*> wargv;
  for (auto& a : args) wargv.push_back(a.data());
  wargv.push_back(nullptr);
  return wmain(argc, wargv.data());
}
