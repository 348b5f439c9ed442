#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "cryptopp/engine_types.h"

namespace tarnwick::cryptopp::internal {
namespace {

using Bytes = std::vector<uint8_t>;
constexpr int32_t kLen = 32;  // whole blocks for every engine below

template <class Engine>
class EngineState : public ::testing::Test {
 protected:
  Bytes Process(const Bytes& in) {
    Bytes out(in.size());
    const int32_t len = static_cast<int32_t>(in.size());
    EXPECT_TRUE(gen::IsSuccess(api->Process(in.data(), len, out.data(), len, nullptr)));
    return out;
  }
  uint32_t KeyUp(Engine& e) { return e.SetKey(key.data(), key.size(), iv.data(), iv.size()).code; }
  // What a freshly keyed engine makes of `data`.
  Bytes Reference() {
    Engine fresh;
    KeyUp(fresh);
    Bytes out(kLen);
    fresh.Process(data.data(), kLen, out.data(), kLen, nullptr);
    return out;
  }

  Engine engine;
  decltype(engine.Interface()) api = engine.Interface();
  Bytes key = Bytes(Engine::kKeySize, 0x11), otherKey = Bytes(Engine::kKeySize, 0x22);
  Bytes iv = Bytes(Engine::kIvSize, 0x33), data = Bytes(kLen, 0x44);
};

using Engines = ::testing::Types<EngineTypes<252>::Encryptor, EngineTypes<252>::Decryptor,
                                 EngineTypes<150>::Encryptor, EngineTypes<902>::Decryptor>;
TYPED_TEST_SUITE(EngineState, Engines);

// Argument tests come before the key-set test; a failure changes nothing.
TYPED_TEST(EngineState, SetKeyChecksInOrder) {
  struct Case {
    const char* what;
    bool keyed, nullKey;
    int keyDelta;
    bool nullIv;
    int ivDelta;
    uint32_t code;
  };
  const Case cases[] = {
      {"valid", false, false, 0, false, 0, 0},
      {"null key before its length", false, true, 1, false, 0, 6},
      {"null iv", false, false, 0, true, 0, 6},
      {"key length before iv length", false, false, -1, false, 1, 4040},
      {"iv length", false, false, 0, false, -1, 4041},
      {"already keyed", true, false, 0, false, 0, 4007},
      {"length before key-set flag", true, false, 1, false, 0, 4040},
      {"null before key-set flag", true, false, 0, true, 0, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TypeParam engine;
    if (c.keyed) {
      ASSERT_EQ(this->KeyUp(engine), 0u);
    }
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
  struct Case {
    const char* what;
    bool keyed, nullIn;
    int32_t inLen;
    bool nullOut;
    int32_t capacity;
    uint32_t code;
    bool writes;
  };
  const Case cases[] = {
      {"unkeyed", false, false, kLen, false, kLen, 4006, false},
      {"unkeyed before empty input", false, true, 0, false, kLen, 4006, false},
      {"null input", true, true, kLen, false, kLen, 0, false},
      {"zero length", true, false, 0, false, kLen, 0, false},
      {"negative length", true, false, -1, false, kLen, 0, false},
      {"null output", true, false, kLen, true, kLen, 16, false},
      {"zero capacity", true, false, kLen, false, 0, 16, false},
      {"capacity one short", true, false, kLen, false, kLen - 1, 21, false},
      {"exact capacity", true, false, kLen, false, kLen, 0, true},
      {"larger capacity", true, false, kLen, false, 2 * kLen, 0, true},
  };
  const Bytes reference = this->Reference();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TypeParam engine;
    auto* api = engine.Interface();
    if (c.keyed) {
      ASSERT_EQ(this->KeyUp(engine), 0u);
    }
    Bytes out(2 * kLen, 0xEE);
    int32_t outLen = -7;
    const gen::Result2 r = api->Process(c.nullIn ? nullptr : this->data.data(), c.inLen,
                                        c.nullOut ? nullptr : out.data(), c.capacity, &outLen);
    EXPECT_EQ(r, (gen::Result2{c.code ? 5u : 0u, c.code, 0, 0}));
    EXPECT_EQ(outLen, c.writes ? kLen : -7);
    const Bytes produced(out.begin(), out.begin() + kLen);
    EXPECT_EQ(produced, c.writes ? reference : Bytes(kLen, 0xEE));
    EXPECT_EQ(Bytes(out.begin() + kLen, out.end()), Bytes(kLen, 0xEE));
    if (c.keyed && !c.writes) {
      Bytes next(kLen);
      EXPECT_EQ(api->Process(this->data.data(), kLen, next.data(), kLen, nullptr).code, 0u);
      EXPECT_EQ(next, reference) << "the cipher state moved";
    }
  }
}

// A refused second key leaves the chain or keystream going; after
// ResetKey the engine refuses work until SetKey restarts it from the IV.
TYPED_TEST(EngineState, KeyLifecycle) {
  ASSERT_EQ(this->KeyUp(this->engine), 0u);
  const Bytes first = this->Process(this->data);
  EXPECT_EQ(this->api->SetKey(this->otherKey.data(), this->otherKey.size(), this->iv.data(),
                              this->iv.size()).code, 4007u);
  const Bytes second = this->Process(this->data);
  EXPECT_EQ(first, this->Reference());
  Bytes twice = this->data;
  twice.insert(twice.end(), this->data.begin(), this->data.end());
  TypeParam whole;
  this->KeyUp(whole);
  Bytes out(2 * kLen);
  whole.Process(twice.data(), 2 * kLen, out.data(), 2 * kLen, nullptr);
  EXPECT_EQ(Bytes(out.begin() + kLen, out.end()), second);

  this->api->ResetKey();
  EXPECT_FALSE(this->api->IsKeySet());
  EXPECT_EQ(this->api->Process(this->data.data(), kLen, out.data(), kLen, nullptr).code, 4006u);
  EXPECT_EQ(this->api->Finalize(), gen::Result2{});
  ASSERT_EQ(this->KeyUp(this->engine), 0u);
  EXPECT_EQ(this->Process(this->data), first);
  // `whole` is destroyed keyed: no ResetKey is needed first.
}

}  // namespace
}  // namespace tarnwick::cryptopp::internal
