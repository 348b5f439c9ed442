#pragma once

#include <cstdint>

#include "cryptopp/job_run.h"
#include "foundation/sync/safe_value.h"

namespace tarnwick::cryptopp::internal {

// What both directions of a job share: the engine, held by value, the
// stop request, the running flag and the progress value, each under its
// own lock, and the interface operations that only read them.
// JobInterface is ISymmetricEncryptor or ISymmetricDecryptor.
template <typename Engine, typename JobInterface>
class CSymmetricJob : protected JobInterface {
 public:
  // `iv` becomes the engine's IV length of zero bytes.
  void MakeZeroIv(JobBytes& iv) { FillZeroIv(iv, engine.GetIvSize()); }

 protected:
  CSymmetricJob() {
    stop.Set(false);
    running.Set(false);
    progress.Set(0.0f);
  }
  ~CSymmetricJob() override { engine.Interface()->ResetKey(); }

  uint32_t GetLibraryType() override { return engine.GetLibraryType(); }
  uint32_t GetAlgorithmId() override { return engine.GetAlgorithmId(); }
  uint32_t GetKeySize() override { return engine.GetKeySize(); }
  uint32_t GetIvSize() override { return engine.GetIvSize(); }
  bool IsRunning() override { return running.Get(); }
  float GetProgress() override { return progress.Get(); }
  void Stop() override { stop.Set(true); }

  JobFlags Flags() { return JobFlags{stop, running, progress}; }

  Engine engine;
  sync::SafeValue<bool> stop;
  sync::SafeValue<bool> running;
  sync::SafeValue<float> progress;
};

}  // namespace tarnwick::cryptopp::internal
