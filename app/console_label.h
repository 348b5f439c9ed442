#pragma once

#include <iomanip>
#include <iostream>

namespace thisapp {

// A label of the algorithm list and the job header, followed by blanks up
// to 19 characters. Fill and adjustment stay set on std::cout; the width
// applies to the next output only.
template <typename Text>
std::ostream& PrintLabel(const Text& text) {
  return std::cout << std::setfill(' ') << std::left << std::setw(19) << text;
}

}  // namespace thisapp
