#pragma once

#include <cstdint>
#include <string>

namespace thisapp {

// The job record handed from the main thread to the worker.
struct SEncryptData {
  uint32_t libraryType = 0;
  uint32_t algorithmId = 0;
  uint8_t encrypt = 1;
  uint8_t useSalt = 0;
  uint8_t rewrite = 0;  // the worker may delete an existing output; never under /confirm
  std::wstring inputFile;   // full path
  std::wstring outputFile;  // full path
  std::wstring password;    // as typed, may be empty
};

}  // namespace thisapp
