#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "cryptopp/symmetric_engine.h"

namespace tarnwick::cryptopp::internal {
namespace {

using Bytes = std::vector<uint8_t>;
constexpr int32_t kLen = 32;  // whole blocks for every engine below

template <class Engine>
class EngineState : public ::testing::Test {
 protected:
  static Bytes Process(Engine& e, const Bytes& in) {
    Bytes out(in.size());
    const int32_t len = static_cast<int32_t>(in.size());
    EXPECT_TRUE(gen::IsSuccess(e.Interface()->Process(in.data(), len, out.data(), len, nullptr)));
    return out;
  }
  uint32_t KeyUp(Engine& e) { return e.SetKey(key.data(), key.size(), iv.data(), iv.size()).code; }
  // What a freshly keyed engine makes of `data`, `times` over.
  Bytes Reference(int times = 1) {
    Engine fresh;
    KeyUp(fresh);
    Bytes in;
    for (int i = 0; i < times; ++i) in.insert(in.end(), data.begin(), data.end());
    return Process(fresh, in);
  }

  Bytes key = Bytes(Engine::kKeySize, 0x11), otherKey = Bytes(Engine::kKeySize, 0x22);
  Bytes iv = Bytes(Engine::kIvSize, 0x33), data = Bytes(kLen, 0x44);
};

using Engines = ::testing::Types<EngineTypes<252>::Encryptor, EngineTypes<252>::Decryptor,
                                 EngineTypes<150>::Encryptor, EngineTypes<902>::Decryptor>;
TYPED_TEST_SUITE(EngineState, Engines);

// Argument tests come before the key-set test; a failure changes nothing.
TYPED_TEST(EngineState, SetKeyChecksInOrder) {
  const struct {
    const char* what;
    bool keyed, nullKey;
    int keyDelta;
    bool nullIv;
    int ivDelta;
    uint32_t code;
  } cases[] = {
      {"valid", false, false, 0, false, 0, 0},
      {"null key before its length", false, true, 1, false, 0, 6},
      {"null iv", false, false, 0, true, 0, 6},
      {"key length before iv length", false, false, -1, false, 1, 4040},
      {"iv length", false, false, 0, false, -1, 4041},
      {"already keyed", true, false, 0, false, 0, 4007},
      {"length before key-set flag", true, false, 1, false, 0, 4040},
      {"null before key-set flag", true, false, 0, true, 0, 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TypeParam engine;
    ASSERT_EQ(c.keyed ? this->KeyUp(engine) : 0u, 0u);
    const gen::Result2 r = engine.Interface()->SetKey(
        c.nullKey ? nullptr : this->otherKey.data(), this->otherKey.size() + c.keyDelta,
        c.nullIv ? nullptr : this->iv.data(), this->iv.size() + c.ivDelta);
    EXPECT_EQ(r, (gen::Result2{c.code ? 5u : 0u, c.code, 0, 0}));
    EXPECT_EQ(engine.IsKeySet(), c.keyed || c.code == 0);
  }
}

// Each step on a keyed engine either processes exactly inLen bytes or
// leaves output, count and cipher state alone; unkeyed it answers 4006.
TYPED_TEST(EngineState, ProcessChecksInOrder) {
  const struct {
    const char* what;
    bool keyed, nullIn;
    int32_t inLen;
    bool nullOut;
    int32_t capacity;
    uint32_t code;
  } cases[] = {
      {"unkeyed", false, false, kLen, false, kLen, 4006},
      {"unkeyed before empty input", false, true, 0, false, kLen, 4006},
      {"null input", true, true, kLen, false, kLen, 0},
      {"zero length", true, false, 0, false, kLen, 0},
      {"negative length", true, false, -1, false, kLen, 0},
      {"null output", true, false, kLen, true, kLen, 16},
      {"zero capacity", true, false, kLen, false, 0, 16},
      {"capacity one short", true, false, kLen, false, kLen - 1, 21},
      {"exact capacity", true, false, kLen, false, kLen, 0},
      {"larger capacity", true, false, kLen, false, 2 * kLen, 0},
  };
  const Bytes reference = this->Reference(), untouched(kLen, 0xEE);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const bool writes = c.code == 0 && !c.nullIn && c.inLen > 0;
    TypeParam engine;
    ASSERT_EQ(c.keyed ? this->KeyUp(engine) : 0u, 0u);
    Bytes out(2 * kLen, 0xEE);
    int32_t outLen = -7;
    const gen::Result2 r = engine.Interface()->Process(
        c.nullIn ? nullptr : this->data.data(), c.inLen, c.nullOut ? nullptr : out.data(),
        c.capacity, &outLen);
    EXPECT_EQ(r, (gen::Result2{c.code ? 5u : 0u, c.code, 0, 0}));
    EXPECT_EQ(outLen, writes ? kLen : -7);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + kLen), writes ? reference : untouched);
    EXPECT_EQ(Bytes(out.begin() + kLen, out.end()), untouched);
    EXPECT_TRUE(!c.keyed || writes || this->Process(engine, this->data) == reference)
        << "the cipher state moved";
  }
}

// A refused second key leaves the chain or keystream going; after
// ResetKey the engine refuses work until SetKey restarts it from the IV.
TYPED_TEST(EngineState, KeyLifecycle) {
  TypeParam engine;  // destroyed keyed at the end: no ResetKey is needed first
  auto* api = engine.Interface();
  ASSERT_EQ(this->KeyUp(engine), 0u);
  Bytes both = this->Process(engine, this->data);
  EXPECT_EQ(api->SetKey(this->otherKey.data(), this->otherKey.size(), this->iv.data(),
                        this->iv.size()).code, 4007u);
  const Bytes second = this->Process(engine, this->data);
  both.insert(both.end(), second.begin(), second.end());
  EXPECT_EQ(both, this->Reference(2));

  api->ResetKey();
  EXPECT_FALSE(api->IsKeySet());
  Bytes out(kLen);
  EXPECT_EQ(api->Process(this->data.data(), kLen, out.data(), kLen, nullptr).code, 4006u);
  EXPECT_EQ(api->Finalize(), gen::Result2{});
  ASSERT_EQ(this->KeyUp(engine), 0u);
  EXPECT_EQ(this->Process(engine, this->data), this->Reference());
}

}  // namespace
}  // namespace tarnwick::cryptopp::internal
