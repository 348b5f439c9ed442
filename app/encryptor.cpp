#include "app/encryptor.h"

#include <iostream>
#include <new>
#include <stdexcept>
#include <string>
#include <system_error>

#include "app/err_msg.h"
#include "app/existing_output.h"
#include "app/paths.h"
#include "cryptopp/alg_info.h"
#include "cryptopp/factory.h"
#include "foundation/err/codes.h"
#include "foundation/err/err_text.h"
#include "foundation/io/file_streams.h"
#include "foundation/platform/platform.h"
#include "foundation/sync/locks.h"

namespace {

namespace gen = tarnwick::gen;
namespace platform = tarnwick::platform;
using platform::WideOut;
using tarnwick::sync::Locked;
using thisapp::SEncryptData;

// The runner's own answers (kind 5).
enum RunnerCode : uint32_t {
  kCodeInputNotDefined = 200,
  kCodeInputNotFound = 201,
  kCodeOutputNotDefined = 202,
  kCodeOutputIsInput = 206,
  kCodeOutputExists = 207,
  kCodeEngineNotLoaded = 4006,
};

gen::Result2 Widen(const gen::Result& r) { return {r.kind, r.code, 0, 0}; }

gen::Result2 Refuse(const char* line, uint32_t code) {
  std::cout << line << std::endl;
  return gen::OwnError(code);
}

template <typename Object, typename Factory>
std::shared_ptr<Object> LoadJobObject(const SEncryptData& job) {
  Object* object = nullptr;
  if (job.libraryType == tarnwick::cryptopp::kLibraryType) {
    Factory factory;
    const gen::Result2 created = factory.Create(job.libraryType, job.algorithmId, &object);
    if (!gen::IsSuccess(created)) {
      std::cout << "[ERROR] Failed to load cryptographic engine. Error: "
                << tarnwick::err::FormatErrorCodesA(created) << "." << std::endl;
    }
  } else {
    std::cout << "[ERROR] Undefined library type: " << job.libraryType << "." << std::endl;
  }
  return std::shared_ptr<Object>(object);
}

// An existing output under "rewrite" goes; one that cannot go refuses the
// job, since the new bytes would follow the old ones.
gen::Result2 RemoveExistingOutput(const SEncryptData& job) {
  if (!job.rewrite) return Refuse("[ERROR] Output file already exists!", kCodeOutputExists);
  const wchar_t* failureLead = job.encrypt ? L"[ERROR] Failed to delete file. File path: "
                                           : L"[ERROR] Failed to delete the file. File path: ";
  if (!thisapp::DeleteExistingOutput(job.outputFile, failureLead)) {
    return gen::OwnError(kCodeOutputExists);
  }
  return {};
}

// A failure here is told but not answered: the output's open then fails
// with its own, more telling error.
void CreateOutputFolder(const std::wstring& outputPath) {
  const std::wstring folder = thisapp::GetFolderPath(outputPath);
  if (folder.empty() || platform::GetPathKind(folder) == platform::PathKind::kFolder) return;
  const int error = platform::CreateDirectories(folder);
  if (error == 0) return;
  WideOut() << L"[ERROR] Failed to create the directory for the output file. Directory path: "
            << folder << L". Error: " << thisapp::CErrMsg().GetErrorText(gen::SystemError(error))
            << L".\r\n";
}

}  // namespace

// Declared input first: the output closes before the input.
struct CEncryptor::SJobFiles {
  tarnwick::io::internal::IStreamFile<wchar_t> input;
  tarnwick::io::internal::OStreamFile<wchar_t> output;
};

CEncryptor::CEncryptor() {
  progress.Set(0.0f);
  canceled.Set(false);
  thread.SetRunnable(this);
}

CEncryptor::~CEncryptor() { Stop(); }

void CEncryptor::Stop() {
  canceled.Set(true);
  // Held while stopping: a job object being loaded meanwhile is stopped
  // once it is stored.
  Locked(encryptors, [](SEncryptor& objects) {
    if (objects.encryptor) objects.encryptor->Stop();
    if (objects.decryptor) objects.decryptor->Stop();
  });
  thread.Wait();
}

std::shared_ptr<tarnwick::crypto::ISymmetricEncryptor> CEncryptor::LoadEncryptor(
    const SEncryptData& job) {
  return LoadJobObject<tarnwick::crypto::ISymmetricEncryptor,
                       tarnwick::cryptopp::CEncryptorFactory>(job);
}

std::shared_ptr<tarnwick::crypto::ISymmetricDecryptor> CEncryptor::LoadDecryptor(
    const SEncryptData& job) {
  return LoadJobObject<tarnwick::crypto::ISymmetricDecryptor,
                       tarnwick::cryptopp::CDecryptorFactory>(job);
}

gen::Result2 CEncryptor::PrepareFiles(const SEncryptData& job, SJobFiles& files) {
  if (job.inputFile.empty()) {
    return Refuse("[ERROR] Input file not defined.", kCodeInputNotDefined);
  }
  if (platform::GetPathKind(job.inputFile) != platform::PathKind::kFile) {
    return Refuse("[ERROR] Input file not found.", kCodeInputNotFound);
  }
  if (job.outputFile.empty()) {
    return Refuse("[ERROR] Output file not defined.", kCodeOutputNotDefined);
  }
  if (thisapp::IsInputItself(job.inputFile, job.outputFile)) {
    return Refuse("[ERROR] Output file name matches the name of the input file.",
                  kCodeOutputIsInput);
  }
  if (thisapp::IsExistingOutput(job.outputFile)) {
    const gen::Result2 removed = RemoveExistingOutput(job);
    if (!gen::IsSuccess(removed)) return removed;
  } else {
    CreateOutputFolder(job.outputFile);
  }

  gen::Result2 answer = Widen(files.input.Open(job.inputFile.c_str()));
  if (!gen::IsSuccess(answer)) {
    WideOut() << L"[ERROR] Failed to open input file. Error: "
              << thisapp::CErrMsg().GetErrorText(answer) << L".\r\n";
    return answer;
  }
  // Only a file made here and now is written: whatever appeared at the
  // path since the checks above is refused, never written through.
  answer = Widen(files.output.OpenNew(job.outputFile.c_str()));
  if (!gen::IsSuccess(answer)) {
    WideOut() << L"[ERROR] Failed to open output file. Error: "
              << thisapp::CErrMsg().GetErrorText(answer) << L".\r\n";
  }
  return answer;
}

template <typename Object, typename Call>
gen::Result2 CEncryptor::RunJobObject(std::shared_ptr<Object> SEncryptor::*slot,
                                      std::shared_ptr<Object> (*load)(const SEncryptData&),
                                      const SEncryptData& job, Call engineCall) {
  // This job's own reference: a later job may replace the stored one.
  const std::shared_ptr<Object> object = Locked(encryptors, [&](SEncryptor& objects) {
    objects.*slot = load(job);  // lets the previous job's object go
    return objects.*slot;
  });
  if (!object) return Refuse("[ERROR] Cryptographic engine is not loaded.", kCodeEngineNotLoaded);
  SJobFiles files;
  const gen::Result2 prepared = PrepareFiles(job, files);
  if (!gen::IsSuccess(prepared)) return prepared;
  const std::string password = tarnwick::err::WideToUtf8(job.password);
  return engineCall(*object, files, password.c_str());
}

gen::Result2 CEncryptor::RunEncryptJob(const SEncryptData& job) {
  tarnwick::crypto::IEncryptCallback* const callback = this;
  return RunJobObject(
      &SEncryptor::encryptor, &CEncryptor::LoadEncryptor, job,
      [&](tarnwick::crypto::ISymmetricEncryptor& object, SJobFiles& files, const char* password) {
        return object.EncryptWithPassword(&files.input, &files.output, password, job.useSalt != 0,
                                          callback, nullptr);
      });
}

gen::Result2 CEncryptor::RunDecryptJob(const SEncryptData& job) {
  tarnwick::crypto::IDecryptCallback* const callback = this;
  return RunJobObject(
      &SEncryptor::decryptor, &CEncryptor::LoadDecryptor, job,
      [&](tarnwick::crypto::ISymmetricDecryptor& object, SJobFiles& files, const char* password) {
        return object.DecryptWithPassword(&files.input, &files.output, password, callback, nullptr);
      });
}

gen::Result2 CEncryptor::ReportEscapedFailure() {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    std::cout << "[ERROR] Not enough memory to run the job." << std::endl;
    return {gen::kKindSystem, static_cast<uint32_t>(std::errc::not_enough_memory), 0, 0};
  } catch (const std::range_error&) {
    std::cout << "[ERROR] The password cannot be converted to UTF-8." << std::endl;
    return {gen::kKindSystem, static_cast<uint32_t>(std::errc::illegal_byte_sequence), 0, 0};
  } catch (const std::exception& e) {
    std::cout << "[ERROR] The job failed unexpectedly: " << e.what() << std::endl;
  } catch (...) {
    std::cout << "[ERROR] The job failed unexpectedly." << std::endl;
  }
  return gen::OwnError(tarnwick::err::kCodeRunThrew);
}

gen::Result CEncryptor::Run(uint32_t /*tag*/, int64_t /*argument*/) {
  gen::Result2 answer;
  // Whatever escapes the job becomes its failure; left alone, it would end
  // the run with the previous job's result standing.
  try {
    const SEncryptData job = Locked(encryptData, [](const SEncryptData& stored) { return stored; });
    answer = job.encrypt ? RunEncryptJob(job) : RunDecryptJob(job);
  } catch (...) {
    answer = ReportEscapedFailure();
  }
  Locked(result, [&](gen::Result2& stored) { stored = answer; });
  return {};
}

void CEncryptor::OnProgress(uint64_t /*doneBytes*/, float percent, void* /*context*/) {
  progress.Set(percent);
}

void CEncryptor::OnStart(void* /*context*/) {}

void CEncryptor::OnFinish(bool stopped, const gen::Result2* /*result*/, void* /*context*/) {
  canceled.Set(stopped);
}
