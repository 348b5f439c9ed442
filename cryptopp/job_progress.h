#pragma once

#include <cstdint>

#include "foundation/platform/clock.h"
#include "foundation/sync/safe_value.h"

namespace tarnwick::cryptopp::internal {

// Paces progress reports by the millisecond tick count: a report is due
// when `now` exceeds the last one by more than the interval. The sum
// wraps in unsigned 32-bit arithmetic like the tick count itself, so
// reports pause after the count wraps until it passes the sum again.
class ProgressPacer {
 public:
  explicit ProgressPacer(uint32_t intervalMs) : interval_(intervalMs) {}

  bool Due(uint32_t now) {
    if (now <= static_cast<uint32_t>(last_ + interval_)) return false;
    last_ = now;
    return true;
  }

 private:
  uint32_t last_ = 0;
  uint32_t interval_;
};

// Reports progress after each chunk but the first, at most once per
// interval, and never once a stop has been asked for. `done` may exceed
// `total` by the zero fill of the last block.
template <typename Callback>
class ProgressReporter {
 public:
  ProgressReporter(Callback* callback, void* ctx, uint32_t intervalMs, int64_t total)
      : callback_(callback), ctx_(ctx), pacer_(intervalMs), total_(total) {}

  void AfterChunk(int64_t done, sync::SafeValue<bool>& stop) {
    if (callback_ == nullptr) return;
    const uint32_t now = platform::TickCount();
    if (stop.Get() || !pacer_.Due(now)) return;
    if (done < 0) done = 0;
    const float percent = static_cast<float>(done) * 100.0f / static_cast<float>(total_);
    callback_->OnProgress(static_cast<uint64_t>(done), percent, ctx_);
  }

 private:
  Callback* callback_;
  void* ctx_;
  ProgressPacer pacer_;
  int64_t total_;
};

}  // namespace tarnwick::cryptopp::internal
