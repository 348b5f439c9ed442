#pragma once

#include <cstdio>
#include <cstdlib>

// A broken promise ends the run as a crash, which libFuzzer reports with
// the input that caused it.
inline void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "broken: %s\n", what);
  std::abort();
}
