#include "app/ctrl_handler.h"

#include "foundation/platform/signals.h"

bool ConsoleCtrlHandler(uint32_t ctrlType) {
  switch (ctrlType) {
    case tarnwick::platform::kConsoleCtrlC:
    case tarnwick::platform::kConsoleClosed:
      // Job runner: cancel the running job here (g_encryptor.Stop()).
      return true;
    default:
      return false;
  }
}
