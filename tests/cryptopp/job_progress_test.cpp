// Callbacks, progress pacing, stop requests and the busy rule.
#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "cryptopp/job_core.h"
#include "tests/cryptopp/job_test_support.h"

namespace qmtest {
namespace {

using Events = std::vector<std::string>;

TEST(JobProgressPacer, WaitsLongerThanTheIntervalAndWrapsAt32Bits) {
  tarnwick::cryptopp::internal::ProgressPacer pacer(400);
  EXPECT_FALSE(pacer.Due(400));  // the last report counts from 0
  EXPECT_TRUE(pacer.Due(401));
  EXPECT_FALSE(pacer.Due(801));
  EXPECT_TRUE(pacer.Due(802));
  EXPECT_TRUE(pacer.Due(0xFFFFF000u));
  EXPECT_FALSE(pacer.Due(0x10));  // the count wrapped: a pause until past last + interval
  EXPECT_FALSE(pacer.Due(0xFFFFF190u));
  EXPECT_TRUE(pacer.Due(0xFFFFFF00u));
  EXPECT_TRUE(pacer.Due(0xFFFFFF01u));  // last + interval wrapped: due at once
}

TEST(JobCallbacks, StartProgressFinishAndNoProgressWithinTheFirstChunk) {
  const std::string plain = Pattern(3 * 32768);
  const JobRun encrypted = JobRun(plain).Encrypt(*MakeEncryptor(252), 32768, 0);
  const Events& events = encrypted.recorder.events;
  ASSERT_GE(events.size(), 3u);
  // At least the report after the second chunk: the tick count is past 0.
  EXPECT_EQ(events[0], "start");
  EXPECT_EQ(events[1], "progress " + std::to_string(2 * 32768 - 56));
  EXPECT_FLOAT_EQ(encrypted.recorder.percents[0], (2 * 32768 - 56) * 100.0f / plain.size());
  EXPECT_EQ(events.back(), "finish 0 0");
  const JobRun decrypted = JobRun(encrypted.bytes()).Decrypt(*MakeDecryptor(252), 32768, 0);
  EXPECT_EQ(decrypted.recorder.events[1], "progress 65536");  // over the encrypted size
  EXPECT_EQ(decrypted.recorder.events.back(), "finish 0 0");

  for (size_t size : {0, 1, 32712}) {
    const JobRun small = JobRun(Pattern(size)).Encrypt(*MakeEncryptor(252), 32768, 0);
    EXPECT_EQ(small.recorder.events, (Events{"start", "finish 0 0"}));
    const JobRun back = JobRun(small.bytes()).Decrypt(*MakeDecryptor(252), 32768, 0);
    EXPECT_EQ(back.recorder.events, (Events{"start", "finish 0 0"}));
    EXPECT_TRUE(back.bytes() == Pattern(size));
  }
}

// A stop from another thread while chunk k is read ends the run after that
// chunk, with a zero result and stopped true, and no progress reported;
// output so far stays. Asked
// as the run starts (k = -1), it leaves the encryption with no output,
// while the decryption still carries its first chunk through.
TEST(JobStop, EndsTheRunBeforeTheNextChunk) {
  const std::string plain = Pattern(4 * 32768);
  const std::string file = Encrypted(252, plain).bytes();
  for (int k : {-1, 0, 1}) {
    const auto encryptor = MakeEncryptor(252);
    const auto decryptor = MakeDecryptor(252);
    JobRun encrypting(plain), decrypting(file);
    encrypting.in.onRead = [&](int read) {
      if (read == k) std::thread([&] { encryptor->Stop(); }).join();
    };
    decrypting.in.onRead = [&](int read) {
      EXPECT_TRUE(decryptor->IsRunning());
      if (read == k) std::thread([&] { decryptor->Stop(); }).join();
    };
    if (k < 0) {
      encrypting.recorder.onStart = [&] { encryptor->Stop(); };
      decrypting.recorder.onStart = [&] { decryptor->Stop(); };
    }
    encrypting.Encrypt(*encryptor);
    decrypting.Decrypt(*decryptor);
    for (const JobRun* run : {&encrypting, &decrypting}) {
      EXPECT_EQ(run->result, Result2{});
      // No progress is reported for the chunk during which the stop came.
      EXPECT_EQ(run->recorder.events, (Events{"start", "finish 1 0"})) << k;
    }
    EXPECT_EQ(encrypting.bytes().size(), (k + 1) * 32768u) << k;
    EXPECT_TRUE(decrypting.bytes() == plain.substr(0, std::max(k + 1, 1) * 32768 - 56)) << k;
    EXPECT_FALSE(decryptor->IsRunning());
  }
}

// Stop before a run is forgotten, and so is a stop asked of another job
// of the same id; a busy job refuses a second run without disturbing the
// first; a finished job runs again to the same bytes.
TEST(JobStop, EarlyStopBusyJobAndRunningAgain) {
  const std::string plain = Pattern(2 * 32768);
  const auto encryptor = MakeEncryptor(252), other = MakeEncryptor(252);
  encryptor->Stop();
  JobRun first(plain);
  first.in.onRead = [&](int read) {
    other->Stop();
    if (read != 1) return;
    std::thread([&] {
      JobRun second("x");
      EXPECT_EQ(second.Encrypt(*encryptor).result, (Result2{5, 8, 0, 0}));
      EXPECT_TRUE(second.recorder.events.empty());
      EXPECT_TRUE(second.out.writes().empty());
    }).join();
  };
  first.Encrypt(*encryptor);
  EXPECT_EQ(first.result, Result2{});
  EXPECT_EQ(first.recorder.events.back(), "finish 0 0");
  EXPECT_EQ(first.bytes().size(), 2 * 32768u + 64);
  EXPECT_TRUE(JobRun(plain).Encrypt(*encryptor).bytes() == first.bytes());
  EXPECT_FALSE(encryptor->IsRunning());
  EXPECT_EQ(encryptor->GetProgress(), 0.0f);
}

}  // namespace
}  // namespace qmtest
