#pragma once

#include <cstdint>
#include <memory>

#include "app/encrypt_data.h"
#include "crypto/symmetric_decryptor.h"
#include "crypto/symmetric_encryptor.h"
#include "foundation/gen/result.h"
#include "foundation/sync/locks.h"
#include "foundation/thread/thread.h"

// The job runner: carries one job record to the engine on its own worker
// thread, and keeps what the main thread polls (progress, cancel flag,
// result). Each shared value sits in its own lock-guarded holder.
class CEncryptor : private tarnwick::thread::IRunnable,
                   private tarnwick::crypto::IEncryptCallback,
                   private tarnwick::crypto::IDecryptCallback {
 public:
  // The job object of the last job of each direction.
  struct SEncryptor {
    std::shared_ptr<tarnwick::crypto::ISymmetricEncryptor> encryptor;
    std::shared_ptr<tarnwick::crypto::ISymmetricDecryptor> decryptor;
  };

  CEncryptor();
  CEncryptor(const CEncryptor&) = delete;
  CEncryptor& operator=(const CEncryptor&) = delete;
  // Cancels and waits for a run that is still going.
  ~CEncryptor() override;

  // Cancel request from any thread: sets the cancel flag, asks a loaded job
  // object to stop before its next chunk and blocks until the run has
  // ended; returns at once when nothing runs.
  void Stop();

  // The job objects for a record; null (with an "[ERROR] " line) when the
  // library type or the algorithm is not provided.
  static std::shared_ptr<tarnwick::crypto::ISymmetricEncryptor> LoadEncryptor(
      const thisapp::SEncryptData& job);
  static std::shared_ptr<tarnwick::crypto::ISymmetricDecryptor> LoadDecryptor(
      const thisapp::SEncryptData& job);

  // One whole job on the calling thread; failures found before the engine
  // runs are told on the console as well as answered.
  tarnwick::gen::Result2 RunEncryptJob(const thisapp::SEncryptData& job);
  tarnwick::gen::Result2 RunDecryptJob(const thisapp::SEncryptData& job);

  // Only inside a catch block: tells what escaped a job on one "[ERROR] "
  // line and answers it as the job's failure: {1, ENOMEM} when memory ran
  // out, {1, EILSEQ} for a password that has no UTF-8 form, else {5, 304}.
  static tarnwick::gen::Result2 ReportEscapedFailure();

  // Engine callbacks (both directions): the percentage and the stopped
  // flag are stored; nothing else is looked at. They never throw.
  void OnProgress(uint64_t doneBytes, float percent, void* context) override;
  void OnStart(void* context) override;
  void OnFinish(bool stopped, const tarnwick::gen::Result2* result, void* context) override;

  tarnwick::thread::Thread thread;
  tarnwick::sync::internal::SafeData<tarnwick::sync::Locker, SEncryptor> encryptors;
  tarnwick::sync::internal::SafeData<tarnwick::sync::Locker, thisapp::SEncryptData> encryptData;
  tarnwick::sync::SafeValue<float> progress;
  tarnwick::sync::SafeValue<bool> canceled;
  tarnwick::sync::internal::SafeData<tarnwick::sync::Locker, tarnwick::gen::Result2> result;

 private:
  struct SJobFiles;

  // Runs the stored job; its outcome goes to `result`, the answer is
  // always {0, 0}.
  tarnwick::gen::Result Run(uint32_t tag, int64_t argument) override;

  // One job of either direction: only the job object's slot, its loader
  // and the engine call differ.
  template <typename Object, typename Call>
  tarnwick::gen::Result2 RunJobObject(std::shared_ptr<Object> SEncryptor::*slot,
                                      std::shared_ptr<Object> (*load)(const thisapp::SEncryptData&),
                                      const thisapp::SEncryptData& job, Call engineCall);

  // The steps both directions share: the checks of the paths, an existing
  // output, the output's folder and the opening of both files.
  static tarnwick::gen::Result2 PrepareFiles(const thisapp::SEncryptData& job, SJobFiles& files);
};

// The one job runner of the program, defined beside the entry function.
extern CEncryptor g_encryptor;
