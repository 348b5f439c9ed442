#include <string>
#include <vector>

#include "app/entry.h"
#include "foundation/platform/platform.h"

int main(int argc, char* argv[]) {
  tarnwick::platform::PrepareProcess();
  // Before any other thread exists, so only the dispatcher sees them.
  tarnwick::platform::BlockConsoleSignals();

  std::vector<std::wstring> args;
  args.reserve(static_cast<size_t>(argc));
  for (int i = 0; i < argc; ++i) args.push_back(tarnwick::platform::DecodeSystemText(argv[i]));
  std::vector<wchar_t*> wargv;
  wargv.reserve(args.size() + 1);
  for (std::wstring& arg : args) wargv.push_back(arg.data());
  wargv.push_back(nullptr);

  const int exitCode = wmain(argc, wargv.data());
  // No handler may run while static objects are destroyed.
  tarnwick::platform::StopConsoleDispatch();
  return exitCode;
}
