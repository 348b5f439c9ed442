#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cryptopp/alg_info.h"
#include "cryptopp/symmetric_engine.h"
#include "tests/cryptopp/known_answers.h"

namespace tarnwick::cryptopp::internal {
namespace {

using qmtest::Bytes;

Bytes RandomBytes(std::mt19937& rng, size_t n) {
  Bytes out(n);
  for (auto& b : out) b = static_cast<uint8_t>(rng());
  return out;
}

template <class EngineInterface>
std::vector<uint32_t> Constants(EngineInterface* e) {
  return {e->GetLibraryType(), e->GetAlgorithmId(), e->GetKeySize(),    e->GetIvSize(),
          e->GetBlockSize(),   e->GetExtraSize(),   e->GetLibraryVersion()};
}

// Keys the engine and runs `in` through it in pieces of the given sizes.
template <class Engine>
Bytes RunEngine(const Bytes& key, const Bytes& iv, const Bytes& in, std::vector<size_t> pieces) {
  Engine engine;
  auto* api = engine.Interface();
  EXPECT_TRUE(gen::IsSuccess(api->SetKey(key.data(), key.size(), iv.data(), iv.size())));
  Bytes out(in.size());
  size_t done = 0;
  for (size_t piece : pieces) {
    int32_t written = -1;
    const auto len = static_cast<int32_t>(piece);
    EXPECT_TRUE(gen::IsSuccess(api->Process(in.data() + done, len, out.data() + done, len, &written)));
    EXPECT_EQ(written, len);
    done += piece;
  }
  EXPECT_EQ(done, in.size());
  return out;
}

template <class Types>
void CheckAlgorithm(uint32_t id) {
  typename Types::Encryptor encryptor;
  typename Types::Decryptor decryptor;
  const crypto::SAlgInfo info = AlgInfo().GetInfo(id);
  const std::vector<uint32_t> row = {1,  id, uint32_t(info.keySize), uint32_t(info.ivSize),
                                     info.blockSize, info.extraSize, 562};
  EXPECT_EQ(Constants(encryptor.Interface()), row);
  EXPECT_EQ(Constants(decryptor.Interface()), row);

  std::mt19937 rng(id);
  const uint32_t block = encryptor.GetBlockSize();
  const Bytes key = RandomBytes(rng, encryptor.GetKeySize());
  const Bytes iv = RandomBytes(rng, encryptor.GetIvSize());
  const Bytes plain = RandomBytes(rng, block ? 3 * block : 100);
  const size_t split = block ? block : 37;

  const Bytes cipher = RunEngine<typename Types::Encryptor>(key, iv, plain, {plain.size()});
  EXPECT_NE(cipher, plain);
  EXPECT_EQ(RunEngine<typename Types::Encryptor>(key, iv, plain, {split, plain.size() - split}), cipher);
  EXPECT_EQ(RunEngine<typename Types::Decryptor>(key, iv, cipher, {plain.size()}), plain);
  EXPECT_EQ(RunEngine<typename Types::Decryptor>(key, iv, cipher, {plain.size() - split, split}), plain);
  Bytes otherKey = key;
  otherKey[1] ^= 0x40;  // not a DES parity bit
  EXPECT_NE(RunEngine<typename Types::Decryptor>(otherKey, iv, cipher, {plain.size()}), plain);
}

struct AlgorithmCase {
  uint32_t id;
  const char* name;
  void (*check)(uint32_t id);
};

#define QM_CASE(id, name, key, iv, block, cipher) {id, name, &CheckAlgorithm<EngineTypes<id>>},
const AlgorithmCase kAlgorithms[] = {QM_FOR_EACH_ALGORITHM(QM_CASE)};
#undef QM_CASE

class EnginesOfEveryAlgorithm : public ::testing::TestWithParam<AlgorithmCase> {};

// Constants equal the catalogue row; both directions round-trip 3 blocks
// (100 bytes of a stream cipher) under a random key, also when split on a
// block boundary; a key differing in one bit does not decrypt.
TEST_P(EnginesOfEveryAlgorithm, EnginesMatchCatalogueAndRoundTrip) { GetParam().check(GetParam().id); }

INSTANTIATE_TEST_SUITE_P(Engines, EnginesOfEveryAlgorithm, ::testing::ValuesIn(kAlgorithms),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

// RC6-384 and RC6-512 need keys that the library's own RC6 refuses. With
// a zero IV, the first CBC block is the block cipher's output itself.
template <uint32_t Id>
void CheckRc6(const Bytes& key, const Bytes& plain, const Bytes& cipher) {
  const Bytes iv(16, 0);
  EXPECT_EQ(RunEngine<typename EngineTypes<Id>::Encryptor>(key, iv, plain, {16}), cipher);
  EXPECT_EQ(RunEngine<typename EngineTypes<Id>::Decryptor>(key, iv, cipher, {16}), plain);
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
