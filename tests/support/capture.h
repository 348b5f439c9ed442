#pragma once

#include <iostream>
#include <sstream>
#include <string>

namespace qmtest {

// Everything written to std::cout while `body` runs, wide texts included.
template <typename Body>
std::string CoutOf(Body body) {
  std::ostringstream sink;
  std::streambuf* const previous = std::cout.rdbuf(sink.rdbuf());
  body();
  std::cout.rdbuf(previous);
  return sink.str();
}

}  // namespace qmtest
