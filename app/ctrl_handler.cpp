#include "app/ctrl_handler.h"

#include "app/encryptor.h"
#include "foundation/platform/platform.h"

bool ConsoleCtrlHandler(uint32_t ctrlType) {
  switch (ctrlType) {
    case tarnwick::platform::kConsoleCtrlC:
    case tarnwick::platform::kConsoleClosed:
      // Returns once the running job, if any, has ended.
      g_encryptor.Stop();
      return true;
    default: return false;
  }
}
