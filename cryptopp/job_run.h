#pragma once

#include <cstdint>
#include <vector>

#include "foundation/gen/result.h"
#include "foundation/sync/safe_value.h"

namespace tarnwick::cryptopp::internal {

using JobBytes = std::vector<unsigned char>;

// The guarded values every job holds beside its engine.
struct JobFlags {
  sync::SafeValue<bool>& stop;
  sync::SafeValue<bool>& running;
  sync::SafeValue<float>& progress;
};

// The checks before a stream run, in their order: {5, 17}, {5, 18},
// {5, 4060}, {5, 4040}, {5, 4041}, {5, 8}. A missing key or IV counts as
// one of the wrong length.
gen::Result2 CheckRunArguments(const void* in, const void* out, uint32_t bufferSize,
                               const JobBytes* key, uint32_t keySize, const JobBytes* iv,
                               uint32_t ivSize, sync::SafeValue<bool>& running);

// Only inside a catch block: the run's result for the exception in flight,
// {53, Crypto++ error type, 5, stage}, or {53, 6, 5, stage} for any other.
gen::Result2 CurrentExceptionResult(uint32_t stage);

// `iv` becomes `size` zero bytes, keeping its storage.
void FillZeroIv(JobBytes& iv, uint32_t size);

// One stream run after its argument checks: resets the flags, calls
// OnStart, runs `body` with every exception mapped, unkeys the engine,
// calls OnFinish with the stop request as it stands, clears the running
// flag. The buffers live inside `body`, so they are gone before OnFinish.
template <typename Engine, typename Callback, typename Body>
gen::Result2 RunJob(Engine& engine, JobFlags flags, Callback* callback, void* ctx,
                    uint32_t stage, Body&& body) {
  flags.stop.Set(false);
  flags.running.Set(true);
  flags.progress.Set(0.0f);
  if (callback != nullptr) callback->OnStart(ctx);
  gen::Result2 result;
  try {
    result = body();
  } catch (...) {
    result = CurrentExceptionResult(stage);
  }
  engine.ResetKey();
  if (callback != nullptr) {
    const bool stopped = flags.stop.Get();
    callback->OnFinish(stopped, &result, ctx);
  }
  flags.running.Set(false);
  return result;
}

}  // namespace tarnwick::cryptopp::internal
