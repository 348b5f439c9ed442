#pragma once

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/run_program.h"

namespace qmtest {

using Bytes = std::vector<uint8_t>;

// The rows of a tab-separated known-answer file, without its title row.
inline std::vector<std::vector<std::string>> ReadTsv(const std::string& name) {
  std::ifstream in(VectorsDir() + "/" + name);
  EXPECT_TRUE(in) << "missing known answers " << name;
  std::vector<std::vector<std::string>> rows;
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    std::vector<std::string> fields;
    std::stringstream split(line);
    for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
    if (line.back() == '\t') fields.emplace_back();
    rows.push_back(fields);
  }
  EXPECT_FALSE(rows.empty()) << name;
  return rows;
}

inline Bytes FromHex(const std::string& hex) {
  Bytes out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    out.push_back(static_cast<uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
  }
  return out;
}

inline Bytes FromText(const std::string& text) { return Bytes(text.begin(), text.end()); }

}  // namespace qmtest
