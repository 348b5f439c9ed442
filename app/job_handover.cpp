#include "app/job_handover.h"

#include <iostream>
#include <utility>

#include "app/encryptor.h"
#include "app/exit_codes.h"
#include "app/job_output.h"
#include "foundation/err/codes.h"
#include "foundation/gen/result.h"

namespace thisapp {
namespace {

namespace gen = tarnwick::gen;

constexpr uint32_t kPollMs = 250;

// Stored before the start, so the worker reads a whole record. The copy is
// made unlocked: swapping it in cannot throw while the lock is held.
void StoreJob(CEncryptor& runner, const SEncryptData& job) {
  SEncryptData copy = job;
  runner.encryptData.Lock();
  std::swap(runner.encryptData.value, copy);
  runner.encryptData.Unlock();
}

gen::Result2 StoredResult(CEncryptor& runner) {
  runner.result.Lock();
  const gen::Result2 result = runner.result.value;
  runner.result.Unlock();
  return result;
}

void WaitShowingProgress(CEncryptor& runner) {
  while (runner.thread.IsRunning()) {
    if (runner.thread.Wait(kPollMs) == tarnwick::thread::kWaitFinished) break;
    const double percent = runner.thread.IsRunning() ? runner.progress.Get() : 0.0;
    PrintProgress(percent);
  }
}

}  // namespace

int RunJobOnWorker(const SEncryptData& job) {
  CEncryptor& runner = g_encryptor;
  // A failure here stays on the progress line, with no empty line after it.
  if (runner.thread.IsRunning()) {
    PrintJobFailure(job, gen::OwnError(tarnwick::err::kCodeThreadBusy));
    return kExitJobFailed;
  }
  StoreJob(runner, job);
  // A cancel from before the hand-over does not count for this job.
  runner.canceled.Set(false);
  const gen::Result started = runner.thread.Start();
  if (started.code != 0) {
    PrintJobFailure(job, {started.kind, started.code, 0, 0});
    return kExitJobFailed;
  }

  WaitShowingProgress(runner);

  const gen::Result2 result = StoredResult(runner);
  int exitCode = kExitSuccess;
  if (!gen::IsSuccess(result)) {
    std::cout << std::endl;
    PrintJobFailure(job, result);
    exitCode = kExitJobFailed;
  } else if (runner.canceled.Get()) {
    std::cout << std::endl << "File encryption was canceled." << std::endl;
  } else {
    PrintProgress(100.0);
    std::cout << std::endl;
    PrintJobSuccess(job);
  }
  std::cout << std::endl;
  return exitCode;
}

}  // namespace thisapp
