// The RC6 engines take the 48- and 64-byte keys of RC6-384 and RC6-512,
// which the library's own RC6 refuses, and compute what RC6 computes. Every
// other engine is proven by the jobs of every algorithm and the known files.
#include <map>

#include <gtest/gtest.h>

#include "cryptopp/symmetric_engine.h"
#include "tests/support/run_program.h"

namespace tarnwick::cryptopp::internal {
namespace {

using qmtest::Bytes;

// With a zero IV, the first CBC block is the block cipher's output itself.
template <class Engine>
Bytes RunBlock(const Bytes& key, const Bytes& in) {
  const Bytes iv(16, 0);
  Bytes out(16);
  Engine engine;
  EXPECT_EQ(engine.SetKey(key.data(), key.size(), iv.data(), 16), gen::Result2{});
  EXPECT_EQ(engine.Process(in.data(), 16, out.data(), 16, nullptr), gen::Result2{});
  return out;
}

template <uint32_t id>
void CheckRc6(const Bytes& key, const Bytes& plain, const Bytes& cipher) {
  EXPECT_EQ(RunBlock<typename EngineTypes<id>::Encryptor>(key, plain), cipher);
  EXPECT_EQ(RunBlock<typename EngineTypes<id>::Decryptor>(key, cipher), plain);
}

TEST(Rc6Engines, KnownAnswersForEveryKeyLength) {
  const std::map<size_t, void (*)(const Bytes&, const Bytes&, const Bytes&)> engines = {
      {16, &CheckRc6<300>}, {32, &CheckRc6<302>}, {48, &CheckRc6<303>}, {64, &CheckRc6<304>}};
  for (const auto& row : qmtest::ReadTsv("rc6_ecb.tsv")) {
    SCOPED_TRACE(row[0]);
    const Bytes key = qmtest::FromHex(row[1]);
    ASSERT_EQ(engines.count(key.size()), 1u);
    engines.at(key.size())(key, qmtest::FromHex(row[2]), qmtest::FromHex(row[3]));
  }
}

}  // namespace
}  // namespace tarnwick::cryptopp::internal
